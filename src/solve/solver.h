// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Shortest solutions of the built-in levels: a breadth-first search from
// both ends over the positions of the play board, proven shortest because
// every shorter sequence was seen first. The levels come from the game's own
// table and the turns from the game's own ring copies.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "levels/game_state.h"

namespace tumbra::solve {

// One press as a player makes it: 'L' or 'R' on Turn button 1 to 5.
struct Press {
  char side;
  std::int16_t button;
  bool operator==(const Press&) const = default;
};

struct Solution {
  std::vector<Press> presses;  // a shortest sequence
  long positions_seen = 0;     // by both searches together
};

// The search gave up: it passed the bound on the positions it may hold.
class GaveUp : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Level 6, the largest, meets after about a million positions; a search that
// passes this many has met a broken turn, not a level of the game, and stops
// before it fills the memory.
inline constexpr long default_position_bound = 5'000'000;

// The shortest sequence of presses that turns the start of `level` into its
// goal, or nothing when the goal cannot be reached. Throws GaveUp when the
// two searches together pass `bound` positions.
std::optional<Solution> solve_level(const GameState& table, int level,
                                    long bound = default_position_bound);

// "L1 R2 ...".
std::string to_text(const std::vector<Press>& presses);

}  // namespace tumbra::solve
