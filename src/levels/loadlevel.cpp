// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "levels/loadlevel.h"

#include <cmath>

#include "board/lattice.h"
#include "levels/colour_codes.h"
#include "levels/number_text.h"
#include "toolkit/program_error.h"

namespace tumbra {

double round_half_even(double x) {
  const double nearest = std::round(x);  // halves away from zero
  if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
  return nearest;
}

namespace {

// A rounded position as a whole number; values no 32-bit index could hold
// are an overflow, not something to truncate.
long long whole(double x, const char* what) {
  if (!std::isfinite(x) || std::fabs(x) > 2147483647.0) {
    throw ProgramError(std::string(what) + " overflows");
  }
  return static_cast<long long>(x);
}

}  // namespace

std::string pick_character(const std::string& text, double position) {
  const long long p = whole(position, "character position");
  if (p < 1) {
    throw ProgramError("character position " + std::to_string(p) +
                       " is below 1");
  }
  if (static_cast<unsigned long long>(p) > text.size()) return {};
  return text.substr(static_cast<std::size_t>(p - 1), 1);
}

void loadlevel(Toolkit& toolkit, const GameState& state) {
  constexpr double pitch = lattice::pitch;
  // The goal's first column is lattice column 8: its circles read character
  // Left / 480 - 8 + 1, that is Left / 480 - 7.
  constexpr double goal_columns = lattice::goal_offset / lattice::pitch;

  for (std::int16_t i = lattice::first_board_piece;
       i <= lattice::last_goal_piece; ++i) {
    const ControlRef piece = toolkit.element(ControlName::Piece, i);
    const double top = toolkit.top(piece);
    const double left = toolkit.left(piece);
    const long long row = whole(round_half_even(top / pitch), "row");
    std::string picked;
    if (i < lattice::first_goal_piece) {
      const double position = round_half_even(left / pitch + 1.0);
      picked = pick_character(start_row(state, state.level, row), position);
    } else {
      const double position =
          round_half_even(left / pitch - (goal_columns - 1.0));
      picked = pick_character(goal_row(state, state.level, row), position);
    }
    // Each code is tested on its own; a character that is no code leaves
    // the circle as it was.
    for (const ColourCode& code : colour_codes) {
      if (picked == code.code) toolkit.set_back_color(piece, code.colour);
    }
  }
  toolkit.set_caption(toolkit.element(ControlName::Tries, 0),
                      tries_caption(state));
}

}  // namespace tumbra
