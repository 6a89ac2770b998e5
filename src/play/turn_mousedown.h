// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#pragma once

#include <cstdint>

#include "levels/game_state.h"
#include "toolkit/toolkit.h"

namespace tumbra {

// A mouse button went down on Turn button `index`: the left button turns its
// group one way, the right button the other; any other button turns nothing.
// After every press the board is compared with the goal picture, and a full
// match ends the level.
void Turn_MouseDown(Toolkit& toolkit, GameState& state, std::int16_t index,
                    std::int16_t button, std::int16_t shift, float x, float y);

// How many of the 25 board circles show the colour of their goal circle.
int matching_cells(Toolkit& toolkit);

}  // namespace tumbra
