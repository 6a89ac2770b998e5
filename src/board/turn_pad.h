// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The pad of five Turn buttons between the board and the goal picture, laid
// out like the pips of a die. Each button stands four lattice steps right of
// the centre of the board group it turns, so the pad mirrors the groups; the
// left and right mouse buttons ask for the two opposite turns of its ring.
#pragma once

#include <array>
#include <cstdint>

namespace tumbra::turn_pad {

inline constexpr std::int16_t buttons = 5;

struct Button {
  float left, top;          // twips; Turn 1 has its place from the design
  std::int16_t corner;      // top-left board piece of the group it turns
  std::int16_t left_mode;   // the ring turn of mouse button 1
  std::int16_t right_mode;  // and of mouse button 2
  const char* group;        // the group's name, as a player says it
};

// Turn 1 to 5. Modes 1 and 2 turn a ring a quarter clockwise and back; 3
// and 4 one place counter-clockwise and back, so on the centre button the
// left mouse button turns the other way round.
inline constexpr std::array<Button, buttons> pad{{
    {2400, 480, 1, 1, 2, "top-left"},
    {3360, 480, 3, 1, 2, "top-right"},
    {2400, 1440, 11, 1, 2, "bottom-left"},
    {3360, 1440, 13, 1, 2, "bottom-right"},
    {2880, 960, 7, 3, 4, "centre"},
}};

// The row of Turn `index`, or nullptr for an index that names no button.
constexpr const Button* button(int index) {
  return index >= 1 && index <= buttons
             ? &pad[static_cast<std::size_t>(index - 1)]
             : nullptr;
}

}  // namespace tumbra::turn_pad
