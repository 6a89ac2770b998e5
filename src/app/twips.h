// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Twips to logical pixels: 1440 twips to an inch of the screen's logical DPI
// (15 twips a pixel at 96 DPI). The desktop windows round every place the
// same way, so that a circle covers the same pixels in each of them.
#pragma once

#include <algorithm>
#include <cmath>

#include "board/lattice.h"

namespace tumbra {

// A rectangle in whole pixels: its top-left corner and its size.
struct PixelRect {
  int x, y, width, height;
  bool operator==(const PixelRect&) const = default;
};

struct Twips {
  double pixels_per_twip = 96.0 / 1440.0;

  static Twips at_dpi(double dots_per_inch) { return {dots_per_inch / 1440.0}; }

  int to_pixels(double twips) const {
    return static_cast<int>(std::lround(twips * pixels_per_twip));
  }
  double to_twips(double pixels) const { return pixels / pixels_per_twip; }
  // How far neighbouring cells of the lattice overlap, in whole pixels: a
  // repaint kept this far inside a control leaves its neighbours alone.
  int overlap() const {
    const double twips = lattice::cell_size - lattice::pitch;
    return std::max(
        1, static_cast<int>(std::ceil(twips * pixels_per_twip - 1e-9)));
  }
  // Edges rounded on their own, so that neighbours keep their overlap.
  PixelRect rect(double left, double top, double width, double height) const {
    const int x = to_pixels(left);
    const int y = to_pixels(top);
    return {x, y, to_pixels(left + width) - x, to_pixels(top + height) - y};
  }
};

}  // namespace tumbra
