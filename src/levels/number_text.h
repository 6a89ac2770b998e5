// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// How the game writes a number into a text: a leading blank where a sign
// would go, then the decimal digits ("after 3 tries" reads " 3").
#pragma once

#include <string>

#include "levels/game_state.h"

namespace tumbra {

std::string number_text(long long n);

// The Tries caption: the tries made, "/", the current level's minimum; on a
// fresh level 1 it reads " 0/ 4".
std::string tries_caption(const GameState& state);

}  // namespace tumbra
