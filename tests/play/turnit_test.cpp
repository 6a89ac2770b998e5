// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "play/turnit.h"

#include <gtest/gtest.h>

#include "../support/game.h"
#include "toolkit/program_error.h"

namespace tumbra {
namespace {

using testing::HeadlessGame;
using testing::Rows;

// Ring places R0 to R7, clockwise from the group's top-left piece, as
// offsets from that piece.
constexpr int ring_offsets[8] = {0, 1, 2, 7, 12, 11, 10, 5};

// A board with `ring` (eight letters) around the group at `corner`, "x" in
// its centre and "." everywhere else.
Rows board_with_ring(int corner, const std::string& ring) {
  Rows rows{".....", ".....", ".....", ".....", "....."};
  auto at = [&](int piece) -> char& {
    return rows[(piece - 1) / 5][(piece - 1) % 5];
  };
  at(corner + 6) = 'x';
  for (int k = 0; k < 8; ++k) at(corner + ring_offsets[k]) = ring[k];
  return rows;
}

std::string ring_of(const Rows& rows, int corner) {
  std::string ring;
  for (int k = 0; k < 8; ++k) {
    const int piece = corner + ring_offsets[k];
    ring += rows[(piece - 1) / 5][(piece - 1) % 5];
  }
  return ring;
}

TEST(Turnit, EachModeMovesTheRingAndOnlyTheRing) {
  struct Case {
    std::int16_t mode;
    const char* ring_after;
    char holding;
  };
  const Case cases[] = {
      {1, "GHABCDEF", 'B'},  // quarter turn clockwise
      {2, "CDEFGHAB", 'B'},  // quarter turn counter-clockwise
      {3, "BCDEFGHA", 'A'},  // one place counter-clockwise
      {4, "HABCDEFG", 'A'},  // one place clockwise
  };
  for (std::int16_t corner : {1, 3, 11, 13, 7}) {
    for (const Case& c : cases) {
      HeadlessGame game;
      const Rows goal = game.goal();
      game.set_board(board_with_ring(corner, "ABCDEFGH"));
      turnit(game.model, game.state(), corner, c.mode);
      EXPECT_EQ(game.board(), board_with_ring(corner, c.ring_after))
          << "corner " << corner << " mode " << c.mode;
      EXPECT_EQ(game.goal(), goal);
      EXPECT_EQ(testing::char_of(game.piece_colour(0)), c.holding);
      EXPECT_EQ(game.state().trycount, 1);
    }
  }
}

TEST(Turnit, InverseTurnsRestoreTheRingAndEveryCallCountsATry) {
  struct Road {
    std::vector<std::int16_t> modes;
    const char* ring_after;
  };
  const Road roads[] = {
      {{1, 1, 1, 1}, "ABCDEFGH"},
      {{2, 2, 2, 2}, "ABCDEFGH"},
      {{3, 3, 3, 3, 3, 3, 3, 3}, "ABCDEFGH"},
      {{4, 4, 4, 4, 4, 4, 4, 4}, "ABCDEFGH"},
      {{1, 2}, "ABCDEFGH"},
      {{3, 4}, "ABCDEFGH"},
      {{4, 4}, "GHABCDEF"},  // as one quarter turn clockwise
      {{3, 3}, "CDEFGHAB"},  // as one quarter turn counter-clockwise
  };
  for (const Road& road : roads) {
    HeadlessGame game;
    game.set_board(board_with_ring(7, "ABCDEFGH"));
    for (std::int16_t mode : road.modes) {
      turnit(game.model, game.state(), 7, mode);
    }
    EXPECT_EQ(ring_of(game.board(), 7), road.ring_after);
    EXPECT_EQ(game.state().trycount, static_cast<int>(road.modes.size()));
  }
}

TEST(Turnit, AnUnknownModeMovesNothingButStillCountsTheTry) {
  HeadlessGame game;
  const Rows board = game.board();
  turnit(game.model, game.state(), 1, 0);
  turnit(game.model, game.state(), 1, 5);
  EXPECT_EQ(game.board(), board);
  EXPECT_EQ(game.state().trycount, 2);
  EXPECT_EQ(game.tries(), " 2/ 4");
}

TEST(Turnit, CaptionShowsTriesAgainstTheMinimum) {
  HeadlessGame game;
  game.go_to_level(4);
  for (int i = 0; i < 10; ++i) turnit(game.model, game.state(), 13, 1);
  EXPECT_EQ(game.tries(), " 10/ 99");
}

TEST(Turnit, TheCountHoldsAt32767WhileTheColoursStillMove) {
  HeadlessGame game;
  game.state().trycount = 32766;
  game.set_board(board_with_ring(1, "ABCDEFGH"));
  turnit(game.model, game.state(), 1, 1);
  EXPECT_EQ(game.state().trycount, 32767);
  turnit(game.model, game.state(), 1, 1);
  EXPECT_EQ(game.state().trycount, 32767);
  EXPECT_EQ(ring_of(game.board(), 1), "EFGHABCD");
  EXPECT_EQ(game.tries(), " 32767/ 4");
}

TEST(Turnit, ACornerOutsideTheBoardIsAProgramError) {
  HeadlessGame game;
  const Rows board = game.board();
  for (std::int16_t corner : {0, 4, 14, 16, -5}) {
    EXPECT_THROW(turnit(game.model, game.state(), corner, 1), ProgramError)
        << corner;
  }
  EXPECT_EQ(game.board(), board);
  EXPECT_EQ(game.state().trycount, 0);
  game.state().level = 101;
  EXPECT_THROW(turnit(game.model, game.state(), 1, 1), ProgramError);
}

}  // namespace
}  // namespace tumbra
