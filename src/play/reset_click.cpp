// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "play/reset_click.h"

namespace tumbra {

void Reset_Click(Toolkit& toolkit, GameState& state) {
  state.level = 0;  // the load's setvariables turns 0 into level 1
  toolkit.unload_window();
  toolkit.show_window();
}

}  // namespace tumbra
