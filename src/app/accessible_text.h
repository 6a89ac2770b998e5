// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What a screen reader says of the window's controls: which ring each Turn
// button turns and what its mouse buttons do, the tries in words, and each
// circle's place and colour.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/toolkit.h"

namespace tumbra::accessible {

std::string turn_name(std::int16_t index);
std::string turn_description(std::int16_t index);

inline constexpr const char* reset_description =
    "Starts the game over at level 1";
inline constexpr const char* tries_name = "Tries";
// " 3/ 4" reads "3 tries made; the minimum for this level is 4".
std::string tries_description(const std::string& caption);

inline constexpr const char* board_name = "Play board";
inline constexpr const char* board_description =
    "Five rows of five circles, turned by the Turn buttons";
inline constexpr const char* goal_name = "Goal picture";
inline constexpr const char* goal_description =
    "The colours the play board must show to finish the level";

// "white", "red", ...; other colours as "#rrggbb".
std::string colour_name(Colour colour);
// "Row 2, column 3, red", counted from 1 at the top left.
std::string circle_name(int row, int column, Colour colour);

// The lattice cell a circle stands in within its block (the play board, or
// the goal picture for pieces from 26), from its place in twips: what a
// screen reader names it by.
struct Cell {
  int row, column;
};
Cell circle_cell(std::int16_t piece, double left, double top);

}  // namespace tumbra::accessible
