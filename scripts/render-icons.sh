#!/usr/bin/env bash
# Renders the program's icon into the sizes a desktop looks for. The pictures are kept in
# the repository, so a build needs no SVG tools; run this after changing a drawing.
# Up to 48 pixels the lettering cannot be read, so those sizes come from the plain drawing.
# Needs: librsvg2-bin
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 22 24 32 48 64 128 256; do
    drawing=vexa-reader.svg
    [ "$size" -le 48 ] && drawing=vexa-reader-small.svg
    rsvg-convert -w "$size" -h "$size" "$drawing" -o "$size.png"
done
