// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What a screen reader says of the window's controls: which ring each Turn
// button turns and what its mouse buttons do, the tries in words, and each
// circle's place and colour.
#pragma once

#include <cstdint>
#include <string>

#include "app/control.h"
#include "toolkit/toolkit.h"

namespace tumbra::accessible {

std::string turn_name(std::int16_t index);
std::string turn_description(std::int16_t index);

// The stop icon of a critical box.
inline constexpr const char* critical_icon = "Critical stop";

inline constexpr const char* reset_description =
    "Starts the game over at level 1";
inline constexpr const char* tries_name = "Tries";
// " 3/ 4" reads "3 tries made; the minimum for this level is 4".
std::string tries_description(const std::string& caption);

// The blocks of circles: the play board and the goal picture.
struct Block {
  const char* name;
  const char* description;
};
inline constexpr Block blocks[2] = {
    {"Play board", "Five rows of five circles, turned by the Turn buttons"},
    {"Goal picture",
     "The colours the play board must show to finish the level"},
};

// "white", "red", ...; other colours as "#rrggbb".
std::string colour_name(Colour colour);
// "Play board, row 2, column 3, red" for the cell counted from 0 at the top
// left of its block: the board's, or with `goal` the goal picture's, so
// that a player who cannot see tells a circle of the one from the other.
std::string circle_name(bool goal, double row, double column, Colour colour);

// What a screen reader says of a control as it stands now: its name and its
// description. A circle is named by its block, the lattice cell it stands
// in within it, and its colour.
struct Spoken {
  std::string name, description;
};
Spoken spoken(const Control& control);

}  // namespace tumbra::accessible
