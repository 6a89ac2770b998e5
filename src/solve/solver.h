// Shortest solutions of the built-in levels: a breadth-first search from
// both ends over the positions of the play board, proven shortest because
// every shorter sequence was seen first. The levels come from the game's own
// table and the turns from the game's own ring copies.
#pragma once

#include <cstdint>
#include <optional>
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

// The shortest sequence of presses that turns the start of `level` into its
// goal, or nothing when the goal cannot be reached.
std::optional<Solution> solve_level(const GameState& table, int level);

// "L1 R2 ...".
std::string to_text(const std::vector<Press>& presses);

}  // namespace tumbra::solve
