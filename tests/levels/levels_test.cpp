// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include <gtest/gtest.h>

#include <map>

#include "../support/game.h"
#include "app/accessible_text.h"
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

// The six levels as the game's design draws them: rows top to bottom, the
// leftmost column first (0 white, 1 red, 2 blue, 3 green, 4 yellow,
// 5 black).
struct Level {
  Rows start, goal;
  std::int16_t minimum;
  const char* caption;
};
const Level levels[] = {
    {{"00100", "00000", "10001", "00000", "00100"},
     {"10001", "00000", "00000", "00000", "10001"},
     4,
     " 0/ 4"},
    {{"01110", "10101", "11011", "10101", "01110"},
     {"11011", "11011", "00000", "11011", "11011"},
     6,
     " 0/ 6"},
    {{"02220", "10201", "11011", "10201", "02220"},
     {"22011", "22011", "00000", "11022", "11022"},
     8,
     " 0/ 8"},
    {{"22011", "22011", "00000", "11022", "11022"},
     {"11022", "12012", "00000", "21021", "22011"},
     99,
     " 0/ 99"},
    {{"01110", "20103", "22033", "20403", "04440"},
     {"11033", "11033", "00000", "22044", "22044"},
     99,
     " 0/ 99"},
    {{"33544", "33544", "00500", "11522", "11522"},
     {"11033", "11033", "55555", "22044", "22044"},
     99,
     " 0/ 99"},
};

// Each level as leveldef stores it and as loadlevel paints it, and a level
// that keeps its colours: turns only move colours, so a start and a goal
// that hold a code unequally often could never be solved.
TEST(LevelTable, EveryLevelIsStoredAndPaintedAsDesigned) {
  GameState table;
  leveldef(table);
  HeadlessGame game;
  for (std::int16_t level = 1; level <= 6; ++level) {
    const Level& l = levels[level - 1];
    SCOPED_TRACE("level " + std::to_string(level));
    for (int row = 0; row < rows_per_level; ++row) {
      EXPECT_EQ(table.startrows[level][row], l.start[row]);
      EXPECT_EQ(table.goalrows[level][row], l.goal[row]);
    }
    EXPECT_EQ(table.mintries[level], l.minimum);

    game.go_to_level(level);
    EXPECT_EQ(game.board(), l.start);
    EXPECT_EQ(game.goal(), l.goal);
    EXPECT_EQ(game.tries(), l.caption);
    EXPECT_EQ(game.state().trycount, 0);

    std::map<char, int> start, goal;
    for (int row = 0; row < 5; ++row) {
      for (char c : l.start[row]) ++start[c];
      for (char c : l.goal[row]) ++goal[c];
    }
    EXPECT_EQ(start, goal);
  }
  // The colours the codes paint, on the first and the last level.
  game.go_to_level(6);
  EXPECT_EQ(game.piece_colour(1), pack_colour(0, 255, 0));
  EXPECT_EQ(game.piece_colour(3), pack_colour(0, 0, 0));
  EXPECT_EQ(game.piece_colour(4), pack_colour(255, 255, 0));
  EXPECT_EQ(game.piece_colour(11), pack_colour(255, 255, 255));
  EXPECT_EQ(game.piece_colour(16), pack_colour(255, 0, 0));
  EXPECT_EQ(game.piece_colour(19), pack_colour(0, 0, 255));
}

TEST(Leveldef, AgainLeavesTheTableAsItWasAndTheOtherLevelsEmpty) {
  GameState state;
  leveldef(state);
  const GameState first = state;
  leveldef(state);
  EXPECT_EQ(state.startrows, first.startrows);
  EXPECT_EQ(state.goalrows, first.goalrows);
  EXPECT_EQ(state.mintries, first.mintries);
  for (int level = 0; level < level_slots; ++level) {
    if (level >= 1 && level <= 6) continue;
    for (int row = 0; row < rows_per_level; ++row) {
      EXPECT_TRUE(state.startrows[level][row].empty()) << level;
      EXPECT_TRUE(state.goalrows[level][row].empty()) << level;
    }
    EXPECT_EQ(state.mintries[level], 0);
  }
}

// The colour a circle gets and the name a screen reader gives it come from
// one cell.
TEST(Loadlevel, PositionsOffTheLatticeRoundHalvesToEven) {
  EXPECT_EQ(lattice::round_half_even(1.5), 2.0);
  EXPECT_EQ(lattice::round_half_even(2.5), 2.0);
  EXPECT_EQ(lattice::round_half_even(-0.5), 0.0);
  EXPECT_EQ(lattice::round_half_even(2.4999), 2.0);

  HeadlessGame game;
  Toolkit& w = game.model;
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
    EXPECT_EQ(accessible::spoken(*game.model.find(ControlName::Piece, 1)).name,
              "Play board, row 3, column 2, white")
        << top;
  }
}

TEST(Loadlevel, ACharacterThatIsNoCodeOrMissingKeepsTheColour) {
  HeadlessGame game;
  Toolkit& w = game.model;
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
  game.click_reset();
  EXPECT_EQ(game.board(), (Rows{"00100", "00000", "10001", "00000", "00100"}));
  EXPECT_EQ(game.goal(), (Rows{"10001", "00000", "00000", "00000", "10001"}));
}

TEST(Loadlevel, EachCheckStopsInsteadOfReadingOutsideATable) {
  HeadlessGame game;
  Toolkit& w = game.model;
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
