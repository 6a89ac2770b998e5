// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// How a circle looks: filled with its colour exactly, antialiased, with a
// thin outline that stands out from the window's background whatever the
// desktop's colour scheme, so that a black circle shows on a dark window and
// a white one on a light window.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include "toolkit/toolkit.h"

namespace tumbra {

// The packed colour as Qt's colour.
QColor to_qcolor(Colour colour);

// The contrast ratio of two colours, 1 to 21, as accessibility guidelines
// define it from their relative luminance.
double contrast_ratio(const QColor& a, const QColor& b);

// The least contrast a circle's outline keeps with the background: what the
// guidelines ask of the parts of a control that must be seen.
inline constexpr double outline_contrast = 3.0;

// Mid grey where it stands out from `background` by outline_contrast;
// otherwise the grey nearest to it, lighter or darker, that does.
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
