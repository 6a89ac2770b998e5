#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Renders the icons into the PNG sizes that the game embeds as its window
# icon and installs for the desktop, so the running game needs no SVG
# support. 16 and 24 pixels come from the small drawing, which leaves out
# the arrow. Run after changing data/icons/*.svg (make icons) and commit the
# PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."
id=org.tumbra.Tumbra
for size in 16 24; do
  rsvg-convert --width "$size" --height "$size" "data/icons/$id-small.svg" \
    -o "data/icons/$id-$size.png"
done
for size in 32 48 64 128; do
  rsvg-convert --width "$size" --height "$size" "data/icons/$id.svg" \
    -o "data/icons/$id-$size.png"
done
# The Windows program's icon: the sizes Windows shows, with a 256-pixel one
# for Explorer's large views, each kept as PNG inside the icon.
large=$(mktemp --suffix=.png)
trap 'rm -f "$large"' EXIT
rsvg-convert --width 256 --height 256 "data/icons/$id.svg" -o "$large"
icotool --create -o "data/icons/$id.ico" \
  --raw="data/icons/$id-16.png" --raw="data/icons/$id-24.png" \
  --raw="data/icons/$id-32.png" --raw="data/icons/$id-48.png" \
  --raw="data/icons/$id-64.png" --raw="$large"
