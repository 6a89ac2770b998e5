// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#pragma once

#include "levels/game_state.h"

namespace tumbra {

// Writes the six built-in levels into the record: five start rows, five goal
// rows and the minimum tries of each. Levels 0 and 7 to 100 stay empty.
void leveldef(GameState& state);

}  // namespace tumbra
