#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need (--screenshots: and
# the screenshots; --package: and the Debian package). The archive's tests start a
# PostgreSQL server of their own, from the package postgresql.
# Does nothing when they are all present already.
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev qt6-serialport-dev qt6-tools-dev
          qt6-tools-dev-tools qt6-l10n-tools libgl-dev fonts-dejavu-core fonts-liberation2
          qt6-translations-l10n libqt6sql6-sqlite libqt6sql6-psql postgresql)
[ "${1:-}" = "--screenshots" ] && packages+=(xvfb imagemagick x11-utils xdotool)
[ "${1:-}" = "--package" ] && packages+=(dpkg-dev file lintian)
[ "${1:-}" = "--fuzz" ] && packages+=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
