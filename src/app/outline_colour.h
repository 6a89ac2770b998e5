// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The thin outline of a circle stands out from the window's background
// whatever the desktop's colour scheme, so that a black circle shows on a
// dark window and a white one on a light window. The desktop windows pick
// it here from the background their system gives them.
#pragma once

#include "toolkit/toolkit.h"

namespace tumbra {

// The contrast ratio of two colours, 1 to 21, as accessibility guidelines
// define it from their relative luminance.
double contrast_ratio(Colour a, Colour b);

// The least contrast a circle's outline keeps with the background: what the
// guidelines ask of the parts of a control that must be seen.
inline constexpr double outline_contrast = 3.0;

// Mid grey where it stands out from `background` well beyond
// outline_contrast; otherwise the grey nearest to it, lighter or darker,
// that does.
Colour outline_for(Colour background);

}  // namespace tumbra
