// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/block_widget.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>

#include "app/accessible_text.h"
#include "app/qt/circle_look.h"
#include "toolkit/program_error.h"

namespace tumbra {

namespace {

// One circle as a screen reader meets it: a graphic named by its place and
// colour, at its place on the screen. It lives as long as its block.
class CircleAccessible final : public QAccessibleInterface {
 public:
  CircleAccessible(BlockWidget* block, std::int16_t index)
      : block_(block), index_(index) {}

  bool isValid() const override {
    return !block_.isNull() && block_->position_of(index_) >= 0;
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return block_.isNull() ? nullptr : block_->window()->windowHandle();
  }
  QAccessibleInterface* parent() const override {
    return block_.isNull() ? nullptr
                           : QAccessible::queryAccessibleInterface(block_);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return QString::fromStdString(block_->name_of(index_));
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect pixels = block_->circle(index_).pixels;
    return QRect(block_->mapToGlobal(pixels.topLeft()), pixels.size());
  }
  QAccessible::Role role() const override { return QAccessible::Graphic; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.invisible = !isValid();
    return state;
  }

 private:
  QPointer<BlockWidget> block_;
  std::int16_t index_;
};

// The block as a group whose children are its showing circles.
class BlockAccessible final : public QAccessibleWidget {
 public:
  explicit BlockAccessible(BlockWidget* block)
      : QAccessibleWidget(block, QAccessible::Grouping) {}

  int childCount() const override { return block()->shown_count(); }
  QAccessibleInterface* child(int position) const override {
    const std::int16_t index = block()->shown_at(position);
    return index < 0 ? nullptr : block()->accessible_circle(index);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int i = 0; i < childCount(); ++i) {
      if (this->child(i) == child) return i;
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < childCount(); ++i) {
      QAccessibleInterface* c = child(i);
      if (c != nullptr && c->rect().contains(x, y)) return c;
    }
    return nullptr;
  }

 private:
  BlockWidget* block() const { return static_cast<BlockWidget*>(widget()); }
};

QAccessibleInterface* block_factory(const QString&, QObject* object) {
  if (auto* block = dynamic_cast<BlockWidget*>(object)) {
    return new BlockAccessible(block);
  }
  return nullptr;
}

}  // namespace

void install_block_accessibility() {
  static bool installed = false;
  if (!installed) QAccessible::installFactory(block_factory);
  installed = true;
}

BlockWidget::BlockWidget(QWidget* parent, int outline)
    : QWidget(parent),
      outline_(outline),
      outline_colour_(outline_for(palette().color(QPalette::Window))) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

BlockWidget::~BlockWidget() {
  for (const auto& [index, id] : accessible_) {
    QAccessible::deleteAccessibleInterface(id);
  }
}

void BlockWidget::add(std::int16_t index, const Circle& circle) {
  circles_[index] = circle;
  if (circle.visible) update(circle.pixels);
}

const BlockWidget::Circle& BlockWidget::circle(std::int16_t index) const {
  const auto it = circles_.find(index);
  if (it == circles_.end()) {
    throw ProgramError("no circle " + describe(ControlName::Piece, index));
  }
  return it->second;
}

QRect BlockWidget::inside(const Circle& c) const {
  return c.pixels.adjusted(outline_, outline_, -outline_, -outline_);
}

void BlockWidget::set_colour(std::int16_t index, Colour colour) {
  Circle& c = circles_.at(index);
  if (c.colour == colour) return;
  c.colour = colour;
  if (!c.visible) return;
  update(inside(c));
  tell_screen_readers(index, QAccessible::NameChanged);
}

void BlockWidget::show_circle(std::int16_t index) {
  Circle& c = circles_.at(index);
  if (c.visible) return;
  c.visible = true;
  update(c.pixels);
  tell_screen_readers(index, QAccessible::ObjectShow);
}

void BlockWidget::place(std::int16_t index, const QRect& pixels, int row,
                        int column) {
  Circle& c = circles_.at(index);
  if (c.visible) update(c.pixels);
  c.pixels = pixels;
  c.row = row;
  c.column = column;
  if (c.visible) {
    update(c.pixels);
    tell_screen_readers(index, QAccessible::LocationChanged);
  }
}

std::string BlockWidget::name_of(std::int16_t index) const {
  const Circle& c = circle(index);
  return accessible::circle_name(c.row, c.column, c.colour);
}

int BlockWidget::shown_count() const {
  int count = 0;
  for (const auto& [index, c] : circles_) count += c.visible ? 1 : 0;
  return count;
}

std::int16_t BlockWidget::shown_at(int position) const {
  for (const auto& [index, c] : circles_) {
    if (c.visible && position-- == 0) return index;
  }
  return -1;
}

int BlockWidget::position_of(std::int16_t index) const {
  int position = 0;
  for (const auto& [i, c] : circles_) {
    if (i == index) return c.visible ? position : -1;
    position += c.visible ? 1 : 0;
  }
  return -1;
}

QAccessibleInterface* BlockWidget::accessible_circle(std::int16_t index) const {
  auto it = accessible_.find(index);
  if (it == accessible_.end()) {
    auto* face = new CircleAccessible(const_cast<BlockWidget*>(this), index);
    it = accessible_
             .emplace(index, QAccessible::registerAccessibleInterface(face))
             .first;
  }
  return QAccessible::accessibleInterface(it->second);
}

void BlockWidget::tell_screen_readers(std::int16_t index,
                                      QAccessible::Event what) {
  // Nothing listens unless assistive technology is running; a load then
  // costs no accessibility events at all.
  if (!QAccessible::isActive() || !isVisible()) return;
  QAccessibleEvent event(accessible_circle(index), what);
  QAccessible::updateAccessibility(&event);
}

void BlockWidget::paintEvent(QPaintEvent* event) {
  // The block paints every pixel it covers: the circles' squares carry the
  // window's background in their corners, and what no circle covers gets
  // the background plainly, so nothing beneath needs painting.
  QPainter painter(this);
  const QColor background = palette().color(QPalette::Window);
  CircleLook look{
      {}, outline_, outline_colour_, background, devicePixelRatioF()};
  QRegion bare = event->region();
  for (const auto& [index, c] : circles_) {
    if (!c.visible || !event->region().intersects(c.pixels)) continue;
    look.size = c.pixels.size();
    painter.drawImage(c.pixels.topLeft(), circle_image(c.colour, look));
    bare -= c.pixels;
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
