// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include <gtest/gtest.h>

#include "../support/game.h"
#include "play_scenarios.h"
#include "random_play.h"

namespace tumbra {
namespace testing {
INSTANTIATE_TYPED_TEST_SUITE_P(InMemoryWindow, PlayScenarios, HeadlessGame);
}  // namespace testing

namespace {

using testing::HeadlessGame;
using testing::level1_start;

TEST(TurnMouseDown, OtherButtonsAndUnknownIndexesTurnNothingButStillCheck) {
  HeadlessGame game;
  for (std::int16_t code : {0, 3, 4, 8, 16}) {
    game.press(1, code);
  }
  for (std::int16_t index : {0, 6, -1}) {
    game.press(index, mouse::left);
  }
  EXPECT_EQ(game.board(), level1_start);
  EXPECT_EQ(game.state().trycount, 0);
  EXPECT_EQ(game.boxes(), 0u);

  // A board already equal to the goal ends the level on a press that turns
  // nothing: the check runs after every press.
  game.set_board(game.goal());
  game.press(2, mouse::middle);
  ASSERT_EQ(game.boxes(), 1u);
  EXPECT_EQ(game.last_box().title, "Error");  // 0 tries, fewer than 4
  EXPECT_EQ(game.state().level, 2);
}

// Presses of every code 0 to 8 on Turn indexes 0 to 6 (left and right
// weighted up), rare Reset clicks, and any answer to each box. Resets are
// rare enough that long stretches of a level run the try count past its
// limit.
TEST(RandomPlay, AMillionRandomEventsKeepEveryInvariant) {
  HeadlessGame game;
  const std::uint64_t seed = testing::random_play_seed();
  const testing::RandomPlayPlan plan{testing::scaled_events(1'000'000),
                                     {0, 1, 2, 3, 4, 5, 6},
                                     {0, 1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 1, 2},
                                     1.0 / 100'000};
  const auto report = testing::random_play(game, plan, seed);
  testing::print_report("in-memory window", seed, report);
  EXPECT_EQ(report.events, plan.events);
}

}  // namespace
}  // namespace tumbra
