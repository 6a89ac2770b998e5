// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#pragma once

#include "levels/game_state.h"
#include "toolkit/toolkit.h"

namespace tumbra {

// Starts the game over at level 1, at once and without asking.
void Reset_Click(Toolkit& toolkit, GameState& state);

}  // namespace tumbra
