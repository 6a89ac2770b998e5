// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/outline_colour.h"

#include <algorithm>

namespace tumbra {

namespace {

// x to the power 2.4, as x squared times the fifth root of x squared, found
// by Newton's method: libm's pow would bring its tables into memory at
// every start, some 300 KiB of pages for one outline colour.
double power_2_4(double x) {
  const double square = x * x;
  if (square <= 0) return 0;
  double root = 1.0;  // x is within 0 to 1, so the root is too
  for (int i = 0; i < 40; ++i) {
    const double fourth = root * root * root * root;
    root -= (fourth * root - square) / (5 * fourth);
  }
  return square * root;
}

double channel(Colour colour, int shift) {
  const double c = ((colour >> shift) & 0xFFu) / 255.0;
  return c <= 0.04045 ? c / 12.92 : power_2_4((c + 0.055) / 1.055);
}

double luminance(Colour c) {
  return 0.2126 * channel(c, 0) + 0.7152 * channel(c, 8) +
         0.0722 * channel(c, 16);
}

Colour grey(int level) {
  const auto v = static_cast<std::uint8_t>(level);
  return pack_colour(v, v, v);
}

Colour find_outline(Colour background) {
  // Well above the bar: the antialiased rim is one pixel wide and blends a
  // good part of the background into the outline's pixels.
  constexpr double wanted = 1.5 * outline_contrast;
  const Colour mid = grey(128);
  if (contrast_ratio(mid, background) >= wanted) return mid;
  // Towards white on a dark background, towards black on a light one.
  const bool dark = luminance(background) < luminance(mid);
  for (int step = 1; step <= 128; ++step) {
    const Colour candidate = grey(dark ? std::min(255, 128 + step) : 128 - step);
    if (contrast_ratio(candidate, background) >= wanted) return candidate;
  }
  return dark ? grey(255) : grey(0);
}

}  // namespace

double contrast_ratio(Colour a, Colour b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour outline_for(Colour background) {
  // Every block of every load asks, nearly always for the same background.
  static Colour asked = 0;
  static Colour answer = 0;
  static bool known = false;
  if (!known || asked != background) {
    asked = background;
    answer = find_outline(background);
    known = true;
  }
  return answer;
}

}  // namespace tumbra
