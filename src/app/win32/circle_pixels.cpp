// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/circle_pixels.h"

#include <algorithm>
#include <cmath>

namespace tumbra {

namespace {

double channel(Colour colour, int shift) {
  return static_cast<double>((colour >> shift) & 0xFFu);
}

// The share of a pixel that lies inside a circle of `radius`, from the
// distance of the pixel's centre: a one-pixel ramp across the edge.
double coverage(double radius, double distance) {
  return std::clamp(radius - distance + 0.5, 0.0, 1.0);
}

}  // namespace

std::vector<std::uint32_t> circle_pixels(const CircleLook& look) {
  std::vector<std::uint32_t> pixels(
      static_cast<std::size_t>(look.width) * look.height);
  // The outline's outer edge touches the square; the fill lies within it.
  const double outer = std::min(look.width, look.height) / 2.0;
  const double inner = outer - look.outline_width;
  const double cx = look.width / 2.0;
  const double cy = look.height / 2.0;
  for (int y = 0; y < look.height; ++y) {
    for (int x = 0; x < look.width; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      const double in_outer = coverage(outer, d);
      const double in_fill = coverage(inner, d);
      const double weights[3] = {1.0 - in_outer, in_outer - in_fill, in_fill};
      const Colour colours[3] = {look.background, look.outline, look.fill};
      std::uint32_t pixel = 0;
      for (int shift : {0, 8, 16}) {
        double value = 0;
        for (int k = 0; k < 3; ++k) value += weights[k] * channel(colours[k], shift);
        const auto byte = static_cast<std::uint32_t>(std::lround(value));
        // A packed colour keeps red lowest; a bitmap pixel keeps it highest.
        pixel |= byte << (16 - shift);
      }
      pixels[static_cast<std::size_t>(y) * look.width + x] = pixel;
    }
  }
  return pixels;
}

}  // namespace tumbra
