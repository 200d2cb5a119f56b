#!/usr/bin/env bash
# Renders the icon's PNG sizes from the SVG. Run it after changing the SVG
# and commit the PNGs with it (rsvg-convert: Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" org.quaystall.QuaystallDB.svg -o "${size}x${size}/org.quaystall.QuaystallDB.png"
done
