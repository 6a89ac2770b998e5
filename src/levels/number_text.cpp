// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "levels/number_text.h"

namespace tumbra {

std::string number_text(long long n) {
  return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

std::string tries_caption(const GameState& state) {
  return number_text(state.trycount) + "/" +
         number_text(min_tries(state, state.level));
}

}  // namespace tumbra
