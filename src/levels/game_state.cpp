// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "levels/game_state.h"

#include "toolkit/program_error.h"

namespace tumbra {

namespace {

const std::string& row_of(const GameState::RowTable& table, long long level,
                          long long row) {
  require_range(level, 0, level_slots - 1, "level");
  require_range(row, 0, rows_per_level - 1, "row");
  return table[static_cast<std::size_t>(level)][static_cast<std::size_t>(row)];
}

}  // namespace

const std::string& start_row(const GameState& state, long long level,
                             long long row) {
  return row_of(state.startrows, level, row);
}

const std::string& goal_row(const GameState& state, long long level,
                            long long row) {
  return row_of(state.goalrows, level, row);
}

std::int16_t min_tries(const GameState& state, long long level) {
  require_range(level, 0, level_slots - 1, "level");
  return state.mintries[static_cast<std::size_t>(level)];
}

}  // namespace tumbra
