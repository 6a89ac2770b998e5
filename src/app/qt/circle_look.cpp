// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/circle_look.h"

#include <QPainter>
#include <QPen>
#include <cmath>
#include <utility>
#include <vector>

namespace tumbra {

QColor to_qcolor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFFu),
                static_cast<int>((colour >> 8) & 0xFFu),
                static_cast<int>((colour >> 16) & 0xFFu));
}

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

double channel(int value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : power_2_4((c + 0.055) / 1.055);
}

double luminance(const QColor& c) {
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) +
         0.0722 * channel(c.blue());
}

}  // namespace

double contrast_ratio(const QColor& a, const QColor& b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

namespace {

QColor find_outline(const QColor& background) {
  // Well above the bar: the antialiased rim is one pixel wide and blends a
  // good part of the background into the outline's pixels.
  constexpr double wanted = 1.5 * outline_contrast;
  const QColor mid(128, 128, 128);
  if (contrast_ratio(mid, background) >= wanted) return mid;
  // Towards white on a dark background, towards black on a light one.
  const bool dark = luminance(background) < luminance(mid);
  for (int step = 1; step <= 128; ++step) {
    const int grey = dark ? std::min(255, 128 + step) : 128 - step;
    const QColor candidate(grey, grey, grey);
    if (contrast_ratio(candidate, background) >= wanted) return candidate;
  }
  return dark ? QColor(Qt::white) : QColor(Qt::black);
}

}  // namespace

QColor outline_for(const QColor& background) {
  // Every block of every load asks, nearly always for the same background.
  static QRgb asked = 0;
  static QColor answer;
  if (!answer.isValid() || asked != background.rgba()) {
    asked = background.rgba();
    answer = find_outline(background);
  }
  return answer;
}

namespace {

struct CircleKey {
  Colour fill;
  QSize size;
  int outline_width;
  QRgb outline;
  QRgb background;
  qreal ratio;
  bool operator==(const CircleKey&) const = default;
};

QImage draw_circle(const CircleKey& key) {
  // Opaque, so that painting it is a copy of rows and no blending.
  QImage image(key.size * key.ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(key.ratio);
  image.fill(QColor::fromRgb(key.background));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor::fromRgb(key.outline), key.outline_width));
  painter.setBrush(to_qcolor(key.fill));
  const double half = key.outline_width / 2.0;
  painter.drawEllipse(QRectF(QPointF(0, 0), QSizeF(key.size))
                          .adjusted(half, half, -half, -half));
  return image;
}

}  // namespace

const QImage& circle_image(Colour fill, const CircleLook& look) {
  // A handful of entries in play; a change of screen or colour scheme that
  // alters them starts the list afresh rather than letting it grow.
  static std::vector<std::pair<CircleKey, QImage>> drawn;
  const CircleKey key{fill,
                      look.size,
                      look.outline_width,
                      look.outline.rgb(),
                      look.background.rgb(),
                      look.pixel_ratio};
  for (const auto& [drawn_key, image] : drawn) {
    if (drawn_key == key) return image;
  }
  if (drawn.size() >= 64) drawn.clear();
  drawn.emplace_back(key, draw_circle(key));
  return drawn.back().second;
}

}  // namespace tumbra
