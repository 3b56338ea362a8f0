#!/usr/bin/env bash
# Renders the program's drawings into the pictures the program and a desktop use: the icon
# in the sizes a desktop looks for, and the windows' pictures (logo, flags, padlock) at
# their size and at twice it (name@2x.png, for screens that double pixels). The pictures
# are kept in the repository, so a build needs no SVG tools; run this after changing a
# drawing. Up to 48 pixels the icon's lettering cannot be read, so those sizes come from
# the plain drawing.
# Needs: librsvg2-bin
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 22 24 32 48 64 128 256; do
    drawing=vexa-reader.svg
    [ "$size" -le 48 ] && drawing=vexa-reader-small.svg
    rsvg-convert -w "$size" -h "$size" "$drawing" -o "$size.png"
done
cd ../images
for drawing in logo flag_fr flag_en padlock; do
    rsvg-convert -z 1 "$drawing.svg" -o "$drawing.png"
    rsvg-convert -z 2 "$drawing.svg" -o "$drawing@2x.png"
done
