// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "play/win.h"

#include "levels/number_text.h"

namespace tumbra {

namespace {

// The level the reload brings: the next one, or 1 after the last.
int next_level(const GameState& state) {
  return state.level >= state.levelcount ? 1 : state.level + 1;
}

}  // namespace

void win(Toolkit& toolkit, const GameState& state) {
  // Three separate tests, each reading the record afresh; exactly one holds.
  if (state.trycount < min_tries(state, state.level)) {
    toolkit.message_box(
        "ERROR ON PORT 3240.23409! Tumbra has performed an illegal error. "
        "Contact Zadoquin immediately.",
        BoxStyle::CriticalOkOnly, "Error");
  }
  if (state.trycount == min_tries(state, state.level)) {
    toolkit.message_box(
        "You beat the level with minimum tries! Prepare for level" +
            number_text(next_level(state)),
        BoxStyle::OkCancel, "Finished");
  }
  if (state.trycount > min_tries(state, state.level)) {
    toolkit.message_box("You beat the level! Prepare for level" +
                            number_text(next_level(state)),
                        BoxStyle::OkCancel, "Finished");
  }
  // Whichever button closed the box, the game moves on.
  toolkit.unload_window();
  toolkit.show_window();
}

}  // namespace tumbra
