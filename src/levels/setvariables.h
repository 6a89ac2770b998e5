// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#pragma once

#include "levels/game_state.h"

namespace tumbra {

// Prepares the record for the load under way: six levels, no tries yet, and
// the next level, wrapping from the last back to 1. A level of 0 (the first
// start, or Reset) therefore brings level 1.
void setvariables(GameState& state);

}  // namespace tumbra
