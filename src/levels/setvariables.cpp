// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "levels/setvariables.h"

namespace tumbra {

void setvariables(GameState& state) {
  state.levelcount = 6;
  state.trycount = 0;
  state.level = static_cast<std::int16_t>(state.level + 1);
  if (state.level > state.levelcount) state.level = 1;
}

}  // namespace tumbra
