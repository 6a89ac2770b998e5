// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/circle_look.h"

#include <QPainter>
#include <QPen>
#include <utility>
#include <vector>

#include "app/outline_colour.h"

namespace tumbra {

QColor to_qcolor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFFu),
                static_cast<int>((colour >> 8) & 0xFFu),
                static_cast<int>((colour >> 16) & 0xFFu));
}

Colour from_qcolor(const QColor& colour) {
  return pack_colour(static_cast<std::uint8_t>(colour.red()),
                     static_cast<std::uint8_t>(colour.green()),
                     static_cast<std::uint8_t>(colour.blue()));
}

QColor outline_for(const QColor& background) {
  return to_qcolor(outline_for(from_qcolor(background)));
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
