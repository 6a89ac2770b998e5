// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The window's events as a test of a window sees them: every load, press
// and Reset click written down, then passed on to the game where the test
// gives one, and a press answered as the test asks (by throwing, say).
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "toolkit/toolkit.h"

namespace tumbra::testing {

struct StandInForm final : FormEvents {
  int loads = 0;
  int resets = 0;
  std::vector<std::pair<std::int16_t, std::int16_t>> presses;  // index, code
  FormEvents* game = nullptr;
  std::function<void()> on_press;

  void Form_Load() override {
    ++loads;
    if (game != nullptr) game->Form_Load();
  }
  void Turn_MouseDown(std::int16_t index, std::int16_t button,
                      std::int16_t shift, float x, float y) override {
    presses.emplace_back(index, button);
    if (on_press) on_press();
    if (game != nullptr) game->Turn_MouseDown(index, button, shift, x, y);
  }
  void Reset_Click() override {
    ++resets;
    if (game != nullptr) game->Reset_Click();
  }
};

}  // namespace tumbra::testing
