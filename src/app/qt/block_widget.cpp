// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/block_widget.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include "app/form1_design.h"
#include "app/qt/accessibility.h"
#include "app/qt/circle_look.h"

namespace tumbra {

BlockWidget::BlockWidget(QWidget* parent, const ControlModel& model, bool goal,
                         const Twips& twips)
    : QWidget(parent),
      model_(model),
      goal_(goal),
      serial_(model.serial()),
      twips_(twips),
      outline_colour_(outline_for(palette().color(QPalette::Window))) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // A block is as tall as the client area and as wide as it is tall.
  constexpr int extent = design::client_height;
  setGeometry(
      to_qrect(twips.rect(goal ? lattice::goal_offset : 0, 0, extent, extent)));
}

BlockWidget::~BlockWidget() {
  for (const auto& [index, id] : accessible_) {
    QAccessible::deleteAccessibleInterface(id);
  }
}

std::vector<const Control*> BlockWidget::shown() const {
  std::vector<const Control*> circles;
  if (!model_.loaded() || model_.serial() != serial_) return circles;
  model_.each_control([&](const Control& c) {
    if (c.name == ControlName::Piece && c.visible &&
        lattice::in_goal(c.index) == goal_) {
      circles.push_back(&c);
    }
  });
  return circles;
}

QRect BlockWidget::pixels(const Control& c) const {
  return to_qrect(twips_.rect(c.left, c.top, c.width, c.height))
      .translated(-pos());
}

void BlockWidget::circle_changed(const Control& c, Change what) {
  switch (what) {
    case Change::Colour:
      if (!c.visible) return;
      // The inside, within the outline that neighbours overlap.
      update(pixels(c).adjusted(twips_.overlap(), twips_.overlap(),
                                -twips_.overlap(), -twips_.overlap()));
      tell_screen_readers(c.index, QAccessible::NameChanged);
      return;
    case Change::Visible:
      update(pixels(c));
      tell_screen_readers(c.index, QAccessible::ObjectShow);
      return;
    case Change::Place:
      update();
      if (c.visible) tell_screen_readers(c.index, QAccessible::LocationChanged);
      return;
    case Change::Caption: return;
  }
}

void BlockWidget::tell_screen_readers(std::int16_t index,
                                      QAccessible::Event what) {
  // Nothing listens unless assistive technology is running; a load then
  // costs no accessibility events at all.
  if (!QAccessible::isActive() || !isVisible()) return;
  QAccessibleEvent event(accessible_circle(index), what);
  QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* BlockWidget::accessible_circle(std::int16_t index) const {
  auto it = accessible_.find(index);
  if (it == accessible_.end()) {
    QAccessibleInterface* face =
        make_circle_accessible(const_cast<BlockWidget*>(this), index);
    it = accessible_
             .emplace(index, QAccessible::registerAccessibleInterface(face))
             .first;
  }
  return QAccessible::accessibleInterface(it->second);
}

void BlockWidget::paintEvent(QPaintEvent* event) {
  // The block paints every pixel it covers: the circles' squares carry the
  // window's background in their corners, and what no circle covers gets
  // the background plainly, so nothing beneath needs painting.
  QPainter painter(this);
  const QColor background = palette().color(QPalette::Window);
  CircleLook look{
      {}, twips_.overlap(), outline_colour_, background, devicePixelRatioF()};
  QRegion bare = event->region();
  for (const Control* c : shown()) {
    const QRect square = pixels(*c);
    if (!event->region().intersects(square)) continue;
    look.size = square.size();
    painter.drawImage(square.topLeft(), circle_image(c->back_color, look));
    bare -= square;
  }
  for (const QRect& rect : bare) painter.fillRect(rect, background);
}

void BlockWidget::changeEvent(QEvent* event) {
  // A new colour scheme may darken or lighten the window behind the
  // circles: the outline follows it.
  if (event->type() == QEvent::PaletteChange) {
    const QColor outline = outline_for(palette().color(QPalette::Window));
    if (outline != outline_colour_) {
      outline_colour_ = outline;
      update();
    }
  }
  QWidget::changeEvent(event);
}

}  // namespace tumbra
