// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The game window's code: it owns the game's record, which outlives every
// unload of the on-screen window, and routes the window's three events to
// the game's procedures.
#pragma once

#include <cstdint>

#include "levels/game_state.h"
#include "toolkit/toolkit.h"

namespace tumbra {

class Form1 final : public FormEvents {
 public:
  // The toolkit that carries out this window; set once, before the first
  // show.
  void attach(Toolkit& toolkit) { toolkit_ = &toolkit; }

  GameState& state() { return state_; }
  const GameState& state() const { return state_; }

  // Runs loadshapes, setvariables, leveldef and loadlevel, in this order.
  void Form_Load() override;
  void Turn_MouseDown(std::int16_t index, std::int16_t button,
                      std::int16_t shift, float x, float y) override;
  void Reset_Click() override;

 private:
  Toolkit& toolkit();

  Toolkit* toolkit_ = nullptr;
  GameState state_;
};

}  // namespace tumbra
