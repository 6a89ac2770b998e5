// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#pragma once

#include "levels/game_state.h"
#include "toolkit/toolkit.h"

namespace tumbra {

// Colours the 50 circles from the current level's start and goal rows,
// finding each circle's cell from its place on the lattice, and writes the
// Tries caption.
void loadlevel(Toolkit& toolkit, const GameState& state);

// The text of at most one character at `position` (counted from 1) of
// `text`; empty beyond its end. A position below 1 is a programming error.
std::string pick_character(const std::string& text, double position);

}  // namespace tumbra
