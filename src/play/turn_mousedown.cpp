// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "play/turn_mousedown.h"

#include "board/lattice.h"
#include "board/turn_pad.h"
#include "play/turnit.h"
#include "play/win.h"

namespace tumbra {

int matching_cells(Toolkit& toolkit) {
  int matches = 0;
  // Every pair is compared; there is no early exit.
  for (std::int16_t i = 1; i <= lattice::cells; ++i) {
    const Colour board =
        toolkit.back_color(toolkit.element(ControlName::Piece, i));
    const Colour goal = toolkit.back_color(toolkit.element(
        ControlName::Piece, static_cast<std::int16_t>(i + lattice::cells)));
    if (board == goal) ++matches;
  }
  return matches;
}

void Turn_MouseDown(Toolkit& toolkit, GameState& state, std::int16_t index,
                    std::int16_t button, std::int16_t /*shift*/, float /*x*/,
                    float /*y*/) {
  if (const turn_pad::Button* pressed = turn_pad::button(index)) {
    if (button == mouse::left) {
      turnit(toolkit, state, pressed->corner, pressed->left_mode);
    } else if (button == mouse::right) {
      turnit(toolkit, state, pressed->corner, pressed->right_mode);
    }
  }
  if (matching_cells(toolkit) == lattice::cells) win(toolkit, state);
}

}  // namespace tumbra
