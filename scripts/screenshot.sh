#!/usr/bin/env bash
# Takes a picture of the real window under a virtual X server, against the simulator.
#   scripts/screenshot.sh OUT.png [--language 1036|2057] [--file PATH]... [STEP...]
# Steps, run in order after start-up: a key name (Return, Tab...), click:X,Y (window
# coordinates), type:TEXT, sleep:SECONDS. Needs: scripts/install-deps.sh --screenshots
set -euo pipefail
[ -n "${INSIDE_XVFB:-}" ] || exec env INSIDE_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
out=$(realpath -m "$1"); shift
bin="$(cd "$(dirname "$0")/../build/bin" && pwd)"
# SCREENSHOT_DIR names the working folder (made anew), so its path shows the same each time.
if [ -n "${SCREENSHOT_DIR:-}" ]; then
    work=$SCREENSHOT_DIR
    rm -rf "$work" && mkdir -p "$work"
else
    work=$(mktemp -d)
fi
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
while [ $# -gt 0 ]; do
    case $1 in
    --language) printf '[CONFIG]\r\nLanguage=%s\r\n' "$2" >> "$work/VEXAReader.ini"; shift 2 ;;
    --file) cp "$2" "$work/"; shift 2 ;; # offered by the file dialogs, which open here
    *) break ;;
    esac
done
"$bin/vexa-sim" --link "$work/vexameter" > "$work/sim.out" &
for _ in $(seq 50); do [ -e "$work/vexameter" ] && break; sleep 0.1; done
# SCREENSHOT_TIME="2024-03-07 09:05:04" stops the program's clock there, so pictures of the
# clock edit and the proposed file names compare equal from one build to the next.
clock=()
[ -n "${SCREENSHOT_TIME:-}" ] && clock=(env FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f "$SCREENSHOT_TIME")
(cd "$work" && VEXA_EXTRA_PORTS="$work/vexameter" "${clock[@]}" "$bin/VEXAReader") &
sleep 4
# The window is centred on the 1024x768 screen.
ox=192 oy=159
for step in "$@"; do
    case $step in
    sleep:*) sleep "${step#sleep:}" ;;
    click:*) xy=${step#click:}; xdotool mousemove $((ox + ${xy%,*})) $((oy + ${xy#*,})) click 1 ;;
    type:*) xdotool type "${step#type:}" ;;
    *) xdotool key "$step" ;;
    esac
    sleep 0.5
done
sleep 1
import -window root "$work/full.png"
convert "$work/full.png" -crop 640x450+$ox+$oy +repage "$out"
echo "$out"
