// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The pad of five Turn buttons between the board and the goal picture, laid
// out like the pips of a die. Each button stands four lattice steps right of
// the centre of the board group it turns, so the pad mirrors the groups.
#pragma once

#include <array>
#include <cstdint>

namespace tumbra::turn_pad {

inline constexpr std::int16_t buttons = 5;

struct Place {
  std::int16_t index;
  float left, top;  // twips
};

// Turn 1 takes its place from the window's design; loadshapes places 2 to 5.
inline constexpr std::array<Place, 5> places{{
    {1, 2400, 480},   // top left
    {2, 3360, 480},   // top right
    {3, 2400, 1440},  // bottom left
    {4, 3360, 1440},  // bottom right
    {5, 2880, 960},   // centre
}};

}  // namespace tumbra::turn_pad
