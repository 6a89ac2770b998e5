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
