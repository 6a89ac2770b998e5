// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Play from the player's side: presses, boxes and reloads. The same
// scenarios run on the in-memory window and on the Qt window.
#pragma once

#include <gtest/gtest.h>

#include "../support/game.h"

namespace tumbra::testing {

template <class Game>
class PlayScenarios : public ::testing::Test {};
TYPED_TEST_SUITE_P(PlayScenarios);

inline const Rows level1_start{"00100", "00000", "10001", "00000", "00100"};
inline const Rows level2_start{"01110", "10101", "11011", "10101", "01110"};

TYPED_TEST_P(PlayScenarios,
             LeftAndRightPressesTurnTheButtonsGroupTheWayTheTableSays) {
  // A single red circle in the top-left group's ring, at piece 2 (R1).
  struct Case {
    std::int16_t button, code;
    Rows after;
  };
  const Rows start{"01000", "00000", "00000", "00000", "00000"};
  const Case cases[] = {
      {1, mouse::left, {"00000", "00100", "00000", "00000", "00000"}},
      {1, mouse::right, {"00000", "10000", "00000", "00000", "00000"}},
      {5, mouse::left, {"01000", "00000", "00000", "00000", "00000"}},
  };
  for (const Case& c : cases) {
    TypeParam game;
    game.set_board(start);
    game.press(c.button, c.code);
    EXPECT_EQ(game.board(), c.after) << c.button << "/" << c.code;
    EXPECT_EQ(game.state().trycount, 1);
  }
  // Button 5's ring: red at piece 8 (its R1) moves to 7 on the left button
  // and to 9 on the right.
  const Rows centre{"00000", "00100", "00000", "00000", "00000"};
  TypeParam game;
  game.set_board(centre);
  game.left(5);
  EXPECT_EQ(game.board()[1], "01000");
  game.right(5);
  game.right(5);
  EXPECT_EQ(game.board()[1], "00010");
}

TYPED_TEST_P(PlayScenarios, TwentyFourMatchingCellsDoNotEndTheLevel) {
  TypeParam game;
  Rows almost = game.goal();
  almost[2][2] = '1';
  almost[4][4] = '0';  // one red circle in the wrong cell: 23 match
  game.set_board(almost);
  game.press(1, mouse::middle);
  EXPECT_EQ(game.boxes(), 0u);
  almost[4][4] = '1';
  almost[2][2] = '2';  // only the centre differs: 24 match
  game.set_board(almost);
  game.press(1, mouse::middle);
  EXPECT_EQ(game.boxes(), 0u);
  EXPECT_EQ(game.state().level, 1);
}

TYPED_TEST_P(PlayScenarios, TheTypicalRoadSolvesLevelOneInItsMinimum) {
  TypeParam game;
  game.left(1);
  EXPECT_EQ(game.board(), (Rows{"10000", "00000", "00101", "00000", "00100"}));
  EXPECT_EQ(game.tries(), " 1/ 4");
  game.left(3);
  game.right(2);
  EXPECT_EQ(game.boxes(), 0u);
  game.answer_boxes_with([&](const MessageBoxRecord&) {
    // The box opens on the solved board, before the reload.
    EXPECT_EQ(game.board(),
              (Rows{"10001", "00000", "00000", "00000", "10001"}));
    EXPECT_EQ(game.tries(), " 4/ 4");
    return BoxAnswer::Cancel;  // the answer is not used
  });
  game.right(4);
  ASSERT_EQ(game.boxes(), 1u);
  EXPECT_EQ(game.last_box().title, "Finished");
  EXPECT_EQ(game.last_box().style, BoxStyle::OkCancel);
  EXPECT_EQ(game.last_box().text,
            "You beat the level with minimum tries! Prepare for level 2");
  EXPECT_EQ(game.state().level, 2);
  EXPECT_EQ(game.board(), level2_start);
  EXPECT_EQ(game.tries(), " 0/ 6");
}

TYPED_TEST_P(PlayScenarios,
             FewerTriesThanTheMinimumShowTheErrorBoxAndMoveOnAllTheSame) {
  TypeParam game;
  game.go_to_level(2);
  game.play("L1 R2 L3 L4 L5");
  ASSERT_EQ(game.boxes(), 1u);
  EXPECT_EQ(game.last_box().title, "Error");
  EXPECT_EQ(game.last_box().style, BoxStyle::CriticalOkOnly);
  EXPECT_EQ(game.last_box().text,
            "ERROR ON PORT 3240.23409! Tumbra has performed an illegal error. "
            "Contact Zadoquin immediately.");
  EXPECT_EQ(game.state().level, 3);

  game.play("L1 R2 R4 R1 R3 R1 L5");
  ASSERT_EQ(game.boxes(), 2u);
  EXPECT_EQ(game.last_box().title, "Error");
  EXPECT_EQ(game.state().level, 4);
  EXPECT_EQ(game.tries(), " 0/ 99");
}

TYPED_TEST_P(PlayScenarios, MoreTriesThanTheMinimumShowThePlainFinishedBox) {
  TypeParam game;
  game.play("L1 L1 L1 L1");  // a full circle: four tries, nothing changed
  game.play("L1 L3 R2 R4");
  ASSERT_EQ(game.boxes(), 1u);
  EXPECT_EQ(game.last_box().title, "Finished");
  EXPECT_EQ(game.last_box().style, BoxStyle::OkCancel);
  EXPECT_EQ(game.last_box().text, "You beat the level! Prepare for level 2");
}

TYPED_TEST_P(PlayScenarios, WinningTheLastLevelAnnouncesAndBringsLevelOne) {
  TypeParam game;
  game.go_to_level(6);
  game.set_board(game.goal());
  game.press(1, mouse::middle);
  ASSERT_EQ(game.boxes(), 1u);
  EXPECT_EQ(game.last_box().text,
            "ERROR ON PORT 3240.23409! Tumbra has performed an illegal error. "
            "Contact Zadoquin immediately.");
  game.go_to_level(6);
  game.state().trycount = 120;
  game.set_board(game.goal());
  game.press(1, mouse::middle);
  EXPECT_EQ(game.last_box().text, "You beat the level! Prepare for level 1");
  EXPECT_EQ(game.state().level, 1);
  EXPECT_EQ(game.board(), level1_start);
}

TYPED_TEST_P(PlayScenarios,
             ResetStartsOverAtLevelOneFromAnyLevelWithoutAsking) {
  for (std::int16_t level : {1, 4, 6}) {
    TypeParam game;
    game.go_to_level(level);
    game.play("L1 R3 L5");
    game.click_reset();
    EXPECT_EQ(game.state().level, 1) << "from level " << level;
    EXPECT_EQ(game.board(), level1_start);
    EXPECT_EQ(game.tries(), " 0/ 4");
    EXPECT_EQ(game.boxes(), 0u);
  }
}

TYPED_TEST_P(PlayScenarios, APressWhileTheBoxIsOpenTurnsNothingAndDoesNotLeak) {
  TypeParam game;
  game.play("L1 L3 R2");
  game.answer_boxes_with([&](const MessageBoxRecord&) {
    game.left(1);  // on the old window, under the modal box
    game.right(5);
    game.click_reset();
    EXPECT_EQ(game.state().trycount, 4);
    return BoxAnswer::Ok;
  });
  game.right(4);
  ASSERT_EQ(game.boxes(), 1u);
  EXPECT_EQ(game.state().level, 2);
  EXPECT_EQ(game.state().trycount, 0);
  EXPECT_EQ(game.board(), level2_start);
}

REGISTER_TYPED_TEST_SUITE_P(
    PlayScenarios, APressWhileTheBoxIsOpenTurnsNothingAndDoesNotLeak,
    LeftAndRightPressesTurnTheButtonsGroupTheWayTheTableSays,
    TwentyFourMatchingCellsDoNotEndTheLevel,
    TheTypicalRoadSolvesLevelOneInItsMinimum,
    FewerTriesThanTheMinimumShowTheErrorBoxAndMoveOnAllTheSame,
    MoreTriesThanTheMinimumShowThePlainFinishedBox,
    WinningTheLastLevelAnnouncesAndBringsLevelOne,
    ResetStartsOverAtLevelOneFromAnyLevelWithoutAsking);

}  // namespace tumbra::testing
