// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "levels/loadlevel.h"

#include <cmath>

#include "board/lattice.h"
#include "levels/colour_codes.h"
#include "levels/number_text.h"
#include "toolkit/program_error.h"

namespace tumbra {

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
  for (std::int16_t i = lattice::first_board_piece;
       i <= lattice::last_goal_piece; ++i) {
    const ControlRef piece = toolkit.element(ControlName::Piece, i);
    const lattice::Cell cell =
        lattice::cell_of(i, toolkit.left(piece), toolkit.top(piece));
    const long long row = whole(cell.row, "row");
    const double position = cell.column + 1.0;
    const std::string picked =
        pick_character(lattice::in_goal(i) ? goal_row(state, state.level, row)
                                           : start_row(state, state.level, row),
                       position);
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
