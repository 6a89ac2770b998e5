// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// One circle of the board or the goal picture: it holds its colour and paints
// it, antialiased, with a thin neutral outline so that white shows on a light
// window. The outline is as wide as the overlap with the neighbours, so a new
// colour repaints only the inside and never a neighbour.
#pragma once

#include <QWidget>

#include "app/toolkit.h"

namespace tumbra {

class CircleWidget final : public QWidget {
 public:
  CircleWidget(QWidget* parent, Colour colour, int outline);

  Colour colour() const { return colour_; }
  // Repaints only when the colour really changes.
  void set_colour(Colour colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Colour colour_;
  int outline_;
};

// The packed colour as Qt's colour.
QColor to_qcolor(Colour colour);

}  // namespace tumbra
