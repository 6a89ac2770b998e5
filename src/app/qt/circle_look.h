// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// How a circle looks in the Qt window: filled with its colour exactly,
// antialiased, with a thin outline that stands out from the window's
// background.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include "toolkit/toolkit.h"

namespace tumbra {

// The packed colour as Qt's colour, and back.
QColor to_qcolor(Colour colour);
Colour from_qcolor(const QColor& colour);

// The outline that stands out from `background` (app/outline_colour.h).
QColor outline_for(const QColor& background);

// The circle on its square of window background, drawn once per fill, size,
// outline, background and pixel ratio: a reload paints fifty circles in a
// handful of colours, and copying an opaque square costs a fraction of
// rasterising an ellipse or blending one over the window.
struct CircleLook {
  QSize size;
  int outline_width;
  QColor outline;
  QColor background;
  qreal pixel_ratio;
};
const QImage& circle_image(Colour fill, const CircleLook& look);

}  // namespace tumbra
