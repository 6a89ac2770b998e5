// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// One control of the window as the game last set it, and what of it can
// change: what the control model holds and what it tells its view.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/toolkit.h"

namespace tumbra {

struct Control {
  ControlName name;
  std::int16_t index;
  float left, top, width, height;  // twips
  bool visible;
  Colour back_color;  // what a Piece shows; Tries keeps its designed green
  std::string caption;
};

enum class Change : std::uint8_t { Place, Visible, Colour, Caption };

}  // namespace tumbra
