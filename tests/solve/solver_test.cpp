// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "solve/solver.h"

#include <gtest/gtest.h>

#include "../support/game.h"
#include "levels/leveldef.h"

namespace tumbra {
namespace {

using testing::HeadlessGame;

GameState level_table() {
  GameState table;
  leveldef(table);
  return table;
}

// Replays `presses` on a fresh `level` and reports the press that first
// ended the level with a box (1-based), or 0.
std::size_t press_that_ends(std::int16_t level,
                            const std::vector<solve::Press>& presses) {
  HeadlessGame game;
  game.go_to_level(level);
  for (std::size_t n = 0; n < presses.size(); ++n) {
    game.press(presses[n].button,
               presses[n].side == 'L' ? mouse::left : mouse::right);
    if (game.boxes() > 0) {
      EXPECT_EQ(game.boxes(), 1u);
      EXPECT_EQ(game.state().level, level % 6 + 1);
      return n + 1;
    }
  }
  return 0;
}

// The proven shortest lengths, and each solution, replayed on the game,
// ends its level on its last press and not before.
TEST(Solver, EachLevelsShortestSolutionHasItsLengthAndEndsTheLevel) {
  const GameState table = level_table();
  const std::size_t shortest[] = {4, 5, 7, 10, 7, 12};
  for (std::int16_t level = 1; level <= 6; ++level) {
    const auto solution = solve::solve_level(table, level);
    ASSERT_TRUE(solution.has_value()) << "level " << level;
    EXPECT_EQ(solution->presses.size(), shortest[level - 1])
        << "level " << level;
    EXPECT_EQ(press_that_ends(level, solution->presses),
              solution->presses.size())
        << "level " << level << ": " << solve::to_text(solution->presses);
  }
}

// Every sequence of up to three presses, played on the game itself: none
// ends level 1, whose minimum is 4.
TEST(Solver, NoSequenceOfUpToThreePressesEndsLevelOne) {
  const std::vector<solve::Press> all{{'L', 1}, {'R', 1}, {'L', 2}, {'R', 2},
                                      {'L', 3}, {'R', 3}, {'L', 4}, {'R', 4},
                                      {'L', 5}, {'R', 5}};
  std::vector<std::vector<solve::Press>> sequences{{}};
  for (int length = 1; length <= 3; ++length) {
    std::vector<std::vector<solve::Press>> longer;
    for (const auto& s : sequences) {
      for (const solve::Press& p : all) {
        longer.push_back(s);
        longer.back().push_back(p);
        EXPECT_EQ(press_that_ends(1, longer.back()), 0u)
            << solve::to_text(longer.back());
      }
    }
    sequences = std::move(longer);
  }
}

TEST(Solver, ALevelWhoseStartIsItsGoalNeedsNoPress) {
  GameState table = level_table();
  table.startrows[1] = table.goalrows[1];
  EXPECT_TRUE(solve::solve_level(table, 1)->presses.empty());
  table.startrows[2][0] = "11111";  // more red than the goal holds
  EXPECT_FALSE(solve::solve_level(table, 2).has_value());
  // A search that passes its bound gives up instead of filling the memory.
  EXPECT_THROW(solve::solve_level(table, 6, 1'000), solve::GaveUp);
  EXPECT_EQ(solve::to_text({{'L', 1}, {'R', 5}}), "L1 R5");
}

}  // namespace
}  // namespace tumbra
