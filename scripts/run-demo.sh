#!/usr/bin/env bash
# Starts a simulated Vexameter on a pseudo-terminal and the program beside it.
# The program finds the simulator through VEXA_EXTRA_PORTS, like any odd serial device.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build=${1:-build}
bin="$(cd "$build/bin" && pwd)"
work="$build/demo"
mkdir -p "$work"
work="$(cd "$work" && pwd)"
link="$work/vexameter"

"$bin/vexa-sim" --link "$link" --files 3 --measures 25 --transcript "$work/transcript.txt" \
    > "$work/sim.out" &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
echo "Simulated instrument on $(head -n1 "$work/sim.out") (also $link); transcript in $work/transcript.txt"

cd "$work" # the settings file VEXAReader.ini lives in the working directory
export VEXA_EXTRA_PORTS="$link${VEXA_EXTRA_PORTS:+:$VEXA_EXTRA_PORTS}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    # A machine without a desktop still runs the demo, in a virtual X server.
    command -v xvfb-run >/dev/null || "$here/install-deps.sh" --screenshots
    echo "No display: running under a virtual X server (xvfb-run); Ctrl+C ends it."
    xvfb-run -a "$bin/VEXAReader"
else
    "$bin/VEXAReader"
fi
