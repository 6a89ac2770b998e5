// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A circle rasterised at the window's own pixel size: filled with its colour
// exactly, with an antialiased outline, on a square of window background.
// Windows' own ellipses are not antialiased, so the Windows window draws its
// circles from these pixels, crisp at every DPI.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/toolkit.h"

namespace tumbra {

struct CircleLook {
  int width, height;  // pixels
  int outline_width;  // pixels
  Colour fill, outline, background;
  bool operator==(const CircleLook&) const = default;
};

// Top-down rows of 0x00RRGGBB pixels, as a 32-bit Windows bitmap holds them.
std::vector<std::uint32_t> circle_pixels(const CircleLook& look);

}  // namespace tumbra
