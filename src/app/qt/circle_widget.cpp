// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "app/qt/circle_widget.h"

#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <utility>
#include <vector>

namespace tumbra {

QColor to_qcolor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFFu),
                static_cast<int>((colour >> 8) & 0xFFu),
                static_cast<int>((colour >> 16) & 0xFFu));
}

CircleWidget::CircleWidget(QWidget* parent, Colour colour, int outline)
    : QWidget(parent), colour_(colour), outline_(outline) {
  // The corners outside the circle show what lies beneath.
  setAttribute(Qt::WA_NoSystemBackground);
}

void CircleWidget::set_colour(Colour colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update(rect().adjusted(outline_, outline_, -outline_, -outline_));
}

namespace {

// The antialiased circle, drawn once per colour, size, outline and pixel
// ratio: a reload paints fifty circles in only six colours, and a blit costs
// a fraction of rasterising an ellipse.
struct CircleKey {
  Colour colour;
  QSize size;
  int outline;
  qreal ratio;
  bool operator==(const CircleKey&) const = default;
};

QPixmap draw_circle(const CircleKey& key) {
  QPixmap image(key.size * key.ratio);
  image.setDevicePixelRatio(key.ratio);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(128, 128, 128), key.outline));
  painter.setBrush(to_qcolor(key.colour));
  const double half = key.outline / 2.0;
  painter.drawEllipse(QRectF(QPointF(0, 0), QSizeF(key.size))
                          .adjusted(half, half, -half, -half));
  return image;
}

const QPixmap& circle_image(const CircleKey& key) {
  // A handful of entries in play; a screen change that alters the size or
  // ratio starts the list afresh rather than letting it grow.
  static std::vector<std::pair<CircleKey, QPixmap>> drawn;
  for (const auto& [drawn_key, image] : drawn) {
    if (drawn_key == key) return image;
  }
  if (drawn.size() >= 64) drawn.clear();
  drawn.emplace_back(key, draw_circle(key));
  return drawn.back().second;
}

}  // namespace

void CircleWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawPixmap(
      0, 0, circle_image({colour_, size(), outline_, devicePixelRatioF()}));
}

}  // namespace tumbra
