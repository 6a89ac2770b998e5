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

// Rounds to the nearest whole number, halves to the even neighbour (1.5 and
// 2.5 both give 2): how the game has always read a place on the lattice.
inline double round_half_even(double x) {
  if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
  return std::round(x);
}

// The lattice cell a circle stands in within its block, from its place,
// counted from 0: the cell whose colour the level gives it, and what a
// player and a screen reader name it by. A circle placed off its block
// gives a cell outside 0 to 4, or one that is not finite.
struct Cell {
  double row, column;
};
inline Cell cell_of(std::int16_t piece, double left, double top) {
  // A goal circle's column is read from its place as the board's is, less
  // the eight lattice columns the goal stands to the right.
  const double columns_before = in_goal(piece) ? goal_offset / pitch : 0;
  return {round_half_even(top / pitch),
          round_half_even(left / pitch - (columns_before - 1.0)) - 1.0};
}

}  // namespace tumbra::lattice
