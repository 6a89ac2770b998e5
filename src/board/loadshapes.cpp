// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "board/loadshapes.h"

#include <cmath>
#include <string>

#include "board/lattice.h"
#include "board/turn_pad.h"

namespace tumbra {

void loadshapes(Toolkit& toolkit) {
  for (std::int16_t i = lattice::first_board_piece;
       i <= lattice::last_goal_piece; ++i) {
    toolkit.create_element(ControlName::Piece, i);
    const bool on_board = i < lattice::first_goal_piece;
    const int first =
        on_board ? lattice::first_board_piece : lattice::first_goal_piece;
    const float offset = on_board ? 0.0f : float{lattice::goal_offset};
    const float pitch = lattice::pitch;

    const ControlRef piece = toolkit.element(ControlName::Piece, i);
    toolkit.show_control(piece);
    toolkit.set_top(piece, pitch * std::floor((i - first) / 5.0f));
    // The column comes back from the row just set, in single precision.
    const float top = toolkit.top(piece);
    const float rows_before = top * 5.0f / pitch;
    toolkit.set_left(piece, offset + pitch * (float(i - first) - rows_before));
  }

  for (std::int16_t i = 2; i <= turn_pad::buttons; ++i) {
    toolkit.create_element(ControlName::Turn, i);
    const ControlRef button = toolkit.element(ControlName::Turn, i);
    toolkit.show_control(button);
    toolkit.set_top(button, turn_pad::button(i)->top);
    toolkit.set_left(button, turn_pad::button(i)->left);
    toolkit.set_caption(button, std::to_string(i));
  }
}

}  // namespace tumbra
