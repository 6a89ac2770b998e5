// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "levels/leveldef.h"

#include <array>

namespace tumbra {

namespace {

// Digit codes, one row of the 5 x 5 lattice per text, row 0 at the top and
// the leftmost column first (0 white, 1 red, 2 blue, 3 green, 4 yellow,
// 5 black).
struct LevelRow {
  int level;
  int row;
  const char* start;
  const char* goal;
};

constexpr std::array<LevelRow, 30> level_table{{
    {1, 0, "00100", "10001"}, {1, 1, "00000", "00000"},
    {1, 2, "10001", "00000"}, {1, 3, "00000", "00000"},
    {1, 4, "00100", "10001"}, {2, 0, "01110", "11011"},
    {2, 1, "10101", "11011"}, {2, 2, "11011", "00000"},
    {2, 3, "10101", "11011"}, {2, 4, "01110", "11011"},
    {3, 0, "02220", "22011"}, {3, 1, "10201", "22011"},
    {3, 2, "11011", "00000"}, {3, 3, "10201", "11022"},
    {3, 4, "02220", "11022"}, {4, 0, "22011", "11022"},
    {4, 1, "22011", "12012"}, {4, 2, "00000", "00000"},
    {4, 3, "11022", "21021"}, {4, 4, "11022", "22011"},
    {5, 0, "01110", "11033"}, {5, 1, "20103", "11033"},
    {5, 2, "22033", "00000"}, {5, 3, "20403", "22044"},
    {5, 4, "04440", "22044"}, {6, 0, "33544", "11033"},
    {6, 1, "33544", "11033"}, {6, 2, "00500", "55555"},
    {6, 3, "11522", "22044"}, {6, 4, "11522", "22044"},
}};

struct LevelMinimum {
  int level;
  std::int16_t tries;
};

constexpr std::array<LevelMinimum, 6> minimum_table{{
    {1, 4},
    {2, 6},
    {3, 8},
    {4, 99},
    {5, 99},
    {6, 99},
}};

}  // namespace

void leveldef(GameState& state) {
  for (const LevelRow& r : level_table) {
    state.startrows[r.level][r.row] = r.start;
    state.goalrows[r.level][r.row] = r.goal;
  }
  for (const LevelMinimum& m : minimum_table) {
    state.mintries[m.level] = m.tries;
  }
}

}  // namespace tumbra
