// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include <gtest/gtest.h>

#include <map>

#include "../support/game.h"
#include "levels/leveldef.h"
#include "levels/loadlevel.h"
#include "levels/setvariables.h"
#include "toolkit/program_error.h"

namespace tumbra {
namespace {

using testing::HeadlessGame;
using testing::Rows;

TEST(Setvariables, LevelsRunOneToSixThenWrapAndZeroBringsOne) {
  GameState state;
  const std::int16_t expected[] = {1, 2, 3, 4, 5, 6, 1, 2};
  for (std::int16_t level : expected) {
    state.trycount = 17;
    state.levelcount = 3;
    setvariables(state);
    EXPECT_EQ(state.level, level);
    EXPECT_EQ(state.trycount, 0);
    EXPECT_EQ(state.levelcount, 6);
  }
  state.level = 0;  // Reset, from any level
  setvariables(state);
  EXPECT_EQ(state.level, 1);
}

TEST(Leveldef, FillsLevelsOneToSixAndLeavesTheRestEmpty) {
  GameState state;
  leveldef(state);
  const GameState first = state;
  leveldef(state);
  EXPECT_EQ(state.startrows, first.startrows);
  EXPECT_EQ(state.goalrows, first.goalrows);
  EXPECT_EQ(state.mintries, first.mintries);

  EXPECT_EQ(state.startrows[1][0], "00100");
  EXPECT_EQ(state.goalrows[6][2], "55555");
  const std::int16_t minima[] = {0, 4, 6, 8, 99, 99, 99};
  for (int level = 0; level <= 6; ++level) {
    EXPECT_EQ(state.mintries[level], minima[level]) << "level " << level;
  }
  for (int level = 0; level < level_slots; ++level) {
    for (int row = 0; row < rows_per_level; ++row) {
      const bool defined = level >= 1 && level <= 6;
      for (const auto* table : {&state.startrows, &state.goalrows}) {
        const std::string& text = (*table)[level][row];
        if (!defined) {
          EXPECT_TRUE(text.empty()) << level << "/" << row;
          continue;
        }
        EXPECT_EQ(text.size(), 5u);
        EXPECT_EQ(text.find_first_not_of("012345"), std::string::npos);
      }
    }
    if (level > 6) {
      EXPECT_EQ(state.mintries[level], 0);
    }
  }
}

// Turns move colours and never change how often each occurs, so a start and
// a goal with different counts would make a level unwinnable.
TEST(Leveldef, EachLevelHoldsEveryCodeAsOftenInItsStartAsInItsGoal) {
  GameState state;
  leveldef(state);
  const std::map<char, int> expected[] = {
      {},
      {{'0', 21}, {'1', 4}},
      {{'0', 9}, {'1', 16}},
      {{'0', 9}, {'1', 8}, {'2', 8}},
      {{'0', 9}, {'1', 8}, {'2', 8}},
      {{'0', 9}, {'1', 4}, {'2', 4}, {'3', 4}, {'4', 4}},
      {{'0', 4}, {'1', 4}, {'2', 4}, {'3', 4}, {'4', 4}, {'5', 5}},
  };
  for (int level = 1; level <= 6; ++level) {
    std::map<char, int> start, goal;
    for (int row = 0; row < 5; ++row) {
      for (char c : state.startrows[level][row]) ++start[c];
      for (char c : state.goalrows[level][row]) ++goal[c];
    }
    EXPECT_EQ(start, expected[level]) << "level " << level;
    EXPECT_EQ(goal, expected[level]) << "level " << level;
  }
}

TEST(Loadlevel, LevelOneShowsFourRedCirclesOnEachSide) {
  HeadlessGame game;
  EXPECT_EQ(game.state().level, 1);
  EXPECT_EQ(game.state().trycount, 0);
  EXPECT_EQ(game.board(), (Rows{"00100", "00000", "10001", "00000", "00100"}));
  EXPECT_EQ(game.goal(), (Rows{"10001", "00000", "00000", "00000", "10001"}));
  EXPECT_EQ(game.tries(), " 0/ 4");
  EXPECT_EQ(game.window.piece_colour(3), pack_colour(255, 0, 0));
  EXPECT_EQ(game.window.piece_colour(1), pack_colour(255, 255, 255));
}

TEST(Loadlevel, LevelSixShowsAllSixColours) {
  HeadlessGame game;
  game.go_to_level(6);
  // 3 green, 4 yellow, 5 black, 1 red, 2 blue, 0 white.
  EXPECT_EQ(game.board(), (Rows{"33544", "33544", "00500", "11522", "11522"}));
  EXPECT_EQ(game.goal(), (Rows{"11033", "11033", "55555", "22044", "22044"}));
  EXPECT_EQ(game.window.piece_colour(1), pack_colour(0, 255, 0));
  EXPECT_EQ(game.window.piece_colour(4), pack_colour(255, 255, 0));
  EXPECT_EQ(game.window.piece_colour(3), pack_colour(0, 0, 0));
  EXPECT_EQ(game.window.piece_colour(19), pack_colour(0, 0, 255));
  EXPECT_EQ(game.tries(), " 0/ 99");
}

TEST(Loadlevel, TriesCaptionOfEveryLevelStartsAtNought) {
  HeadlessGame game;
  const char* captions[] = {" 0/ 4",  " 0/ 6",  " 0/ 8",
                            " 0/ 99", " 0/ 99", " 0/ 99"};
  for (std::int16_t level = 1; level <= 6; ++level) {
    game.go_to_level(level);
    EXPECT_EQ(game.state().level, level);
    EXPECT_EQ(game.tries(), captions[level - 1]);
  }
}

TEST(Loadlevel, PositionsOffTheLatticeRoundHalvesToEven) {
  EXPECT_EQ(round_half_even(1.5), 2.0);
  EXPECT_EQ(round_half_even(2.5), 2.0);
  EXPECT_EQ(round_half_even(-0.5), 0.0);
  EXPECT_EQ(round_half_even(2.4999), 2.0);

  HeadlessGame game;
  Toolkit& w = game.window;
  // Row 2 of level 1's start is "10001": circle 1 moved to Top 720 (1.5
  // steps) or 1200 (2.5 steps) reads row 2, and Left 240 (position 1.5)
  // reads its character 2.
  for (float top : {720.0f, 1200.0f}) {
    const ControlRef piece = w.element(ControlName::Piece, 1);
    w.set_top(piece, top);
    w.set_left(piece, 0);
    loadlevel(w, game.state());
    EXPECT_EQ(w.back_color(piece), pack_colour(255, 0, 0)) << top;
    w.set_left(piece, 240);
    loadlevel(w, game.state());
    EXPECT_EQ(w.back_color(piece), pack_colour(255, 255, 255)) << top;
  }
}

TEST(Loadlevel, ACharacterThatIsNoCodeOrMissingKeepsTheColour) {
  HeadlessGame game;
  Toolkit& w = game.window;
  const Colour marker = pack_colour(9, 9, 9);
  game.state().startrows[1][0] = "0x";  // "x" is no code, 3 to 5 are missing
  for (std::int16_t i = 1; i <= 5; ++i) {
    w.set_back_color(w.element(ControlName::Piece, i), marker);
  }
  w.set_back_color(w.element(ControlName::Piece, 0), marker);
  loadlevel(w, game.state());
  EXPECT_EQ(game.board()[0], "0????");
  EXPECT_EQ(w.back_color(w.element(ControlName::Piece, 0)), marker);
}

TEST(Loadlevel, AReloadKeepsNothingOfThePreviousBoard) {
  HeadlessGame game;
  game.set_board({"12345", "12345", "12345", "12345", "12345"});
  game.window.click_reset();
  EXPECT_EQ(game.board(), (Rows{"00100", "00000", "10001", "00000", "00100"}));
  EXPECT_EQ(game.goal(), (Rows{"10001", "00000", "00000", "00000", "10001"}));
}

TEST(Loadlevel, EachCheckStopsInsteadOfReadingOutsideATable) {
  HeadlessGame game;
  Toolkit& w = game.window;
  GameState& s = game.state();
  auto reload_fails = [&] { EXPECT_THROW(loadlevel(w, s), ProgramError); };
  s.level = 101;
  reload_fails();
  s.level = -1;
  reload_fails();
  s.level = 1;
  const ControlRef piece = w.element(ControlName::Piece, 2);
  w.set_top(piece, 2400);  // row 5
  reload_fails();
  w.set_top(piece, -480);  // row -1
  reload_fails();
  w.set_top(piece, 0);
  w.set_left(piece, -960);  // character position -1
  reload_fails();
  w.set_left(piece, 1e30f);  // no position at all
  reload_fails();
  EXPECT_THROW(w.element(ControlName::Piece, 51), ProgramError);
  EXPECT_THROW(pick_character("00100", 0.0), ProgramError);
  EXPECT_EQ(pick_character("00100", 6.0), "");
  EXPECT_EQ(pick_character("00100", 3.0), "1");
  EXPECT_THROW(min_tries(s, 101), ProgramError);
  EXPECT_THROW(start_row(s, 1, 5), ProgramError);
}

}  // namespace
}  // namespace tumbra
