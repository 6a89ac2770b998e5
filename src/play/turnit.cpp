// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "play/turnit.h"

#include <limits>
#include <string>

#include "levels/number_text.h"
#include "play/ring_turn.h"
#include "toolkit/program_error.h"

namespace tumbra {

void turnit(Toolkit& toolkit, GameState& state, std::int16_t corner,
            std::int16_t mode) {
  if (!ring::valid_corner(corner)) {
    throw ProgramError("corner " + std::to_string(corner) +
                       " names no group of the board");
  }
  turn_ring(
      corner, mode,
      [&](int piece) {
        return toolkit.back_color(toolkit.element(
            ControlName::Piece, static_cast<std::int16_t>(piece)));
      },
      [&](int piece, Colour colour) {
        toolkit.set_back_color(
            toolkit.element(ControlName::Piece,
                            static_cast<std::int16_t>(piece)),
            colour);
      });
  if (state.trycount < std::numeric_limits<std::int16_t>::max()) {
    ++state.trycount;
  }
  toolkit.set_caption(toolkit.element(ControlName::Tries, 0),
                      tries_caption(state));
}

}  // namespace tumbra
