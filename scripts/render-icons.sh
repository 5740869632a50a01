#!/usr/bin/env bash
# Renders the PNG sizes of Kartello's icon from its drawing, data/icons/kartello.svg. Run it
# after editing the drawing and commit the PNGs with it (the build does not need rsvg-convert).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert missing: apt-get install librsvg2-bin" >&2; exit 1; }
for size in 48 128 256; do
  rsvg-convert -w "$size" -h "$size" kartello.svg -o "kartello-$size.png"
done
