// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The game's record: the level table, the level being played and the tries
// made in it. It belongs to the window's code, not to the on-screen window,
// so it outlives every unload.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tumbra {

inline constexpr int level_slots = 101;  // levels 0 to 100
inline constexpr int rows_per_level = 5;

struct GameState {
  // Row texts of five digit codes, by level then row; an entry never
  // written is the empty text.
  using RowTable =
      std::array<std::array<std::string, rows_per_level>, level_slots>;

  // Strings start empty by themselves; value-initialising this many with
  // braces crashes clang 14.
  RowTable startrows;
  RowTable goalrows;
  std::int16_t level = 0;       // 1 to 6 after every load
  std::int16_t levelcount = 0;  // 6 after every load
  std::array<std::int16_t, level_slots> mintries{};
  std::int16_t trycount = 0;  // turns made since this level was loaded
};

// Lookups that stop the program on a level outside 0 to 100 or a row
// outside 0 to 4, instead of reading past a table.
const std::string& start_row(const GameState& state, long long level,
                             long long row);
const std::string& goal_row(const GameState& state, long long level,
                            long long row);
std::int16_t min_tries(const GameState& state, long long level);

}  // namespace tumbra
