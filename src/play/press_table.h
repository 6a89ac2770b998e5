// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Which group each Turn button turns and which turn each mouse button asks
// for. The buttons lie like the pips of a die and mirror the five groups.
#pragma once

#include <array>
#include <cstdint>

namespace tumbra::press_table {

struct Row {
  std::int16_t corner;      // top-left board piece of the group
  std::int16_t left_mode;   // mouse button 1
  std::int16_t right_mode;  // mouse button 2
};

// Indexed by Turn button 1 to 5 (entry 0 unused).
inline constexpr std::array<Row, 6> rows{{
    {0, 0, 0},
    {1, 1, 2},   // top left
    {3, 1, 2},   // top right
    {11, 1, 2},  // bottom left
    {13, 1, 2},  // bottom right
    {7, 3, 4},   // centre: one place, left counter-clockwise
}};

}  // namespace tumbra::press_table
