// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The digit codes of the level table and the colour each stands for. Board
// and goal use the same packed values, so a cell matches exactly when the
// codes do.
#pragma once

#include <array>
#include <string_view>

#include "toolkit/toolkit.h"

namespace tumbra {

struct ColourCode {
  std::string_view code;
  std::string_view name;
  Colour colour;
};

inline constexpr std::array<ColourCode, 6> colour_codes{{
    {"0", "white", pack_colour(255, 255, 255)},
    {"1", "red", pack_colour(255, 0, 0)},
    {"2", "blue", pack_colour(0, 0, 255)},
    {"3", "green", pack_colour(0, 255, 0)},
    {"4", "yellow", pack_colour(255, 255, 0)},
    {"5", "black", pack_colour(0, 0, 0)},
}};

}  // namespace tumbra
