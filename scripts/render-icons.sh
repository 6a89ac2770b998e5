#!/usr/bin/env bash
# Renders the scalable icon into the PNG sizes that the game embeds as its
# window icon, so the running game needs no SVG support. Run after changing
# data/icons/*.svg (make icons) and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."
for svg in data/icons/*.svg; do
  base=${svg%.svg}
  for size in 32 64 128; do
    rsvg-convert --width "$size" --height "$size" "$svg" -o "$base-$size.png"
  done
done
