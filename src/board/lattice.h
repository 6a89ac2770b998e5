// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The square lattice that every circle and Turn button stands on, and the
// numbering of the pieces. Positions are in twips from the top-left corner of
// the client area.
#pragma once

#include <cmath>
#include <cstdint>

namespace tumbra::lattice {

inline constexpr int pitch = 480;      // one lattice step
inline constexpr int cell_size = 495;  // circles and Turn buttons overlap by 15
inline constexpr int goal_offset = 3840;  // the goal picture, 8 steps right

inline constexpr int side = 5;  // the board and the goal are 5 x 5
inline constexpr std::int16_t first_board_piece = 1;
inline constexpr std::int16_t first_goal_piece = 26;
inline constexpr std::int16_t last_goal_piece = 50;
inline constexpr std::int16_t cells = side * side;  // goal piece i + cells

// Pieces from 26 on make the goal picture; the others, the template
// included, stand on the board's side.
constexpr bool in_goal(std::int16_t piece) { return piece >= first_goal_piece; }

// The lattice cell a circle stands in within its block, from its place: what
// a player, and a screen reader, names it by.
struct Cell {
  int row, column;
};
inline Cell cell_of(std::int16_t piece, double left, double top) {
  const double block_left = in_goal(piece) ? goal_offset : 0;
  return {static_cast<int>(std::lround(top / pitch)),
          static_cast<int>(std::lround((left - block_left) / pitch))};
}

}  // namespace tumbra::lattice
