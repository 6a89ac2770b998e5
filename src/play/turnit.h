// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#pragma once

#include <cstdint>

#include "levels/game_state.h"
#include "toolkit/toolkit.h"

namespace tumbra {

// The one move of the game: turns the ring of the group at `corner` in
// `mode` (1 quarter clockwise, 2 quarter counter-clockwise, 3 one place
// counter-clockwise, 4 one place clockwise), counts the try and shows it.
// The count stops at 32767 instead of wrapping; the colours still move.
void turnit(Toolkit& toolkit, GameState& state, std::int16_t corner,
            std::int16_t mode);

}  // namespace tumbra
