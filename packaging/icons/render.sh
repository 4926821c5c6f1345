#!/usr/bin/env bash
# Renders the hand-drawn icon (quintora.svg) into the PNG sizes the desktop looks for.
# Run it after changing the drawing, and commit the PNGs with it.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" quintora.svg -o "quintora-$size.png"
done
