// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#pragma once

#include "levels/game_state.h"
#include "toolkit/toolkit.h"

namespace tumbra {

// The board matches the goal: tells the player how the tries compare with
// the level's minimum, then reloads the window, which brings the next level.
void win(Toolkit& toolkit, const GameState& state);

}  // namespace tumbra
