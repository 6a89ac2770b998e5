#include "app/qt/circle_widget.h"

#include <QPainter>
#include <QPen>

namespace tumbra {

QColor to_qcolor(Colour colour) {
  return QColor(static_cast<int>(colour & 0xFFu),
                static_cast<int>((colour >> 8) & 0xFFu),
                static_cast<int>((colour >> 16) & 0xFFu));
}

CircleWidget::CircleWidget(QWidget* parent, Colour colour)
    : QWidget(parent), colour_(colour) {
  // The corners outside the circle show what lies beneath.
  setAttribute(Qt::WA_NoSystemBackground);
}

void CircleWidget::set_colour(Colour colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void CircleWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(128, 128, 128), 1.0));
  painter.setBrush(to_qcolor(colour_));
  painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace tumbra
