#!/usr/bin/env bash
# Redraws the icon's PNG sizes from tallix.svg (rsvg-convert, Debian package
# librsvg2-bin). The PNGs are committed, so a build needs no SVG renderer:
# run this after changing the SVG and commit the result.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" tallix.svg -o "tallix-$size.png"
done
