// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#pragma once

#include "toolkit/toolkit.h"

namespace tumbra {

// Builds the playing field of a fresh load: circles 1 to 25 (the board) and
// 26 to 50 (the goal picture) as copies of the template Piece 0, and Turn
// buttons 2 to 5 as copies of Turn 1, each shown and put in its lattice cell.
void loadshapes(Toolkit& toolkit);

}  // namespace tumbra
