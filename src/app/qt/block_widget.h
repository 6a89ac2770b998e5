// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A block of circles, the play board or the goal picture, as one widget.
// Circles never take input or the focus, so they need no widget of their
// own: the block keeps a record of each (its place, whether it shows, its
// colour) and paints them. A new colour repaints only the inside of its
// circle, which no neighbour overlaps. Screen readers meet the circles as
// the block's accessible children.
#pragma once

#include <QAccessible>
#include <QWidget>
#include <cstdint>
#include <map>
#include <string>

#include "toolkit/toolkit.h"

namespace tumbra {

class BlockWidget final : public QWidget {
 public:
  struct Circle {
    QRect pixels;    // in the block
    int row = 0;     // lattice row and column in the block, for screen
    int column = 0;  // readers
    Colour colour = 0;
    bool visible = false;
  };

  // `outline`: the outline's width in pixels, as wide as the overlap of
  // neighbouring cells.
  BlockWidget(QWidget* parent, int outline);
  ~BlockWidget() override;

  void add(std::int16_t index, const Circle& circle);
  const Circle& circle(std::int16_t index) const;
  void set_colour(std::int16_t index, Colour colour);
  void show_circle(std::int16_t index);
  void place(std::int16_t index, const QRect& pixels, int row, int column);

  // What a screen reader says of a circle: its place and its colour.
  std::string name_of(std::int16_t index) const;

  // The circles that show, in the order of their indexes: the accessible
  // children of the block.
  int shown_count() const;
  std::int16_t shown_at(int position) const;  // -1 when there is none
  int position_of(std::int16_t index) const;  // -1 when it does not show
  // The accessible child of a showing circle, made at the first asking.
  QAccessibleInterface* accessible_circle(std::int16_t index) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The inside of a circle: what a new colour repaints.
  QRect inside(const Circle& c) const;
  void tell_screen_readers(std::int16_t index, QAccessible::Event what);

  int outline_;
  QColor outline_colour_;
  std::map<std::int16_t, Circle> circles_;
  mutable std::map<std::int16_t, QAccessible::Id> accessible_;
};

// Lets Qt's accessibility find the blocks' circles; once, at start.
void install_block_accessibility();

}  // namespace tumbra
