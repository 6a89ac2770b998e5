// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A block of circles, the play board or the goal picture, as one widget.
// Circles never take input or the focus, so they need no widget of their
// own: the block paints the circles the control model holds for it, as the
// model holds them. A new colour repaints only the inside of its circle,
// which no neighbour overlaps. Screen readers meet the circles as the
// block's accessible children (accessibility.cpp).
#pragma once

#include <QAccessible>
#include <QWidget>
#include <cstdint>
#include <map>
#include <vector>

#include "app/control_model.h"
#include "app/twips.h"

namespace tumbra {

inline QRect to_qrect(const PixelRect& r) {
  return {r.x, r.y, r.width, r.height};
}

class BlockWidget final : public QWidget {
 public:
  // The goal picture when `goal`, else the play board, of the load now.
  BlockWidget(QWidget* parent, const ControlModel& model, bool goal,
              const Twips& twips);
  ~BlockWidget() override;

  // Shows what changed of one of its circles.
  void circle_changed(const Control& circle, Change what);

  // The circles that show, in the order of their indexes: the accessible
  // children. None once the window is unloaded.
  std::vector<const Control*> shown() const;
  // Where a circle stands in the block, in pixels.
  QRect pixels(const Control& circle) const;
  const ControlModel& model() const { return model_; }
  // The accessible child of a showing circle, made at the first asking.
  QAccessibleInterface* accessible_circle(std::int16_t index) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void tell_screen_readers(std::int16_t index, QAccessible::Event what);

  const ControlModel& model_;
  const bool goal_;
  const std::uint32_t serial_;  // the load this block belongs to
  const Twips twips_;
  QColor outline_colour_;
  mutable std::map<std::int16_t, QAccessible::Id> accessible_;
};

}  // namespace tumbra
