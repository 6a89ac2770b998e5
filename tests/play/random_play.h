// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Random play: a long seeded run of presses, Reset clicks and box answers,
// with the game's invariants checked after every event. The seed is printed;
// TUMBRA_SEED=<seed> replays a run.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../support/game.h"

namespace tumbra::testing {

struct RandomPlayPlan {
  long events;
  std::vector<std::int16_t> indexes;  // Turn indexes the presses go to
  std::vector<std::int16_t> codes;    // mouse-button codes they carry
  double reset_chance;                // of any one event
};

inline std::uint64_t random_play_seed() {
  if (const char* seed = std::getenv("TUMBRA_SEED")) {
    return std::strtoull(seed, nullptr, 10);
  }
  return std::random_device{}();
}

// Scales an event count down for slow builds (TUMBRA_RANDOM_EVENTS_SCALE).
inline long scaled_events(long events) {
  if (const char* scale = std::getenv("TUMBRA_RANDOM_EVENTS_SCALE")) {
    return std::max(1L, static_cast<long>(events * std::atof(scale)));
  }
  return events;
}

struct RandomPlayReport {
  long events = 0, turns = 0, wins = 0, resets = 0, held_at_limit = 0;
  int highest_level = 0;
};

template <class Game>
RandomPlayReport random_play(Game& game, const RandomPlayPlan& plan,
                             std::uint64_t seed) {
  // The minimum of each level, as the game states it.
  const int minimum[7] = {0, 4, 6, 8, 99, 99, 99};
  std::mt19937_64 random(seed);
  auto chance = [&](double p) {
    return std::uniform_real_distribution<double>(0, 1)(random) < p;
  };
  auto pick = [&](const std::vector<std::int16_t>& from) {
    return from[std::uniform_int_distribution<std::size_t>(
        0, from.size() - 1)(random)];
  };

  RandomPlayReport report;
  bool matched_when_box_opened = false;
  game.answer_boxes_with([&](const MessageBoxRecord&) {
    matched_when_box_opened = game.board() == game.goal();
    return chance(0.5) ? BoxAnswer::Ok : BoxAnswer::Cancel;
  });

  auto histogram = [](const Rows& rows) {
    std::map<char, int> counts;
    for (const std::string& row : rows) {
      for (char c : row) ++counts[c];
    }
    return counts;
  };
  std::map<char, int> loaded_counts = histogram(game.board());
  Rows loaded_goal = game.goal();
  long turns = 0;

  for (long n = 0; n < plan.events; ++n) {
    const int level_before = game.state().level;
    const std::size_t boxes_before = game.boxes();
    bool reset = false;
    if (chance(plan.reset_chance)) {
      reset = true;
      game.click_reset();
      ++report.resets;
    } else {
      const std::int16_t index = pick(plan.indexes);
      const std::int16_t code = pick(plan.codes);
      game.press(index, code);
      if (index >= 1 && index <= 5 && (code == 1 || code == 2)) {
        ++turns;
        ++report.turns;
        if (turns > 32767) ++report.held_at_limit;
      }
    }

    std::ostringstream fault;
    const std::size_t boxes = game.boxes() - boxes_before;
    const GameState& state = game.state();
    if (boxes > 1) fault << boxes << " boxes for one event; ";
    if (boxes == 1) {
      ++report.wins;
      if (!matched_when_box_opened) fault << "a box on an unsolved board; ";
      const int next = level_before % 6 + 1;
      if (state.level != next) fault << "won level did not bring the next; ";
    }
    if (boxes == 1 || reset) {
      loaded_counts = histogram(game.board());
      loaded_goal = game.goal();
      turns = 0;
      if (reset && state.level != 1) fault << "Reset did not bring level 1; ";
    }
    const Rows board = game.board();
    if (boxes == 0 && board == game.goal()) {
      fault << "the board matches the goal and no box opened; ";
    }
    if (histogram(board) != loaded_counts) fault << "a colour count changed; ";
    if (game.goal() != loaded_goal) fault << "the goal picture changed; ";
    if (state.level < 1 || state.level > 6) fault << "level out of range; ";
    if (state.trycount != std::min<long>(turns, 32767)) {
      fault << "trycount " << state.trycount << " after " << turns
            << " turns; ";
    }
    if (state.level >= 1 && state.level <= 6) {
      const std::string caption = " " + std::to_string(state.trycount) + "/ " +
                                  std::to_string(minimum[state.level]);
      if (game.tries() != caption) fault << "caption " << game.tries() << "; ";
    }
    report.highest_level = std::max<int>(report.highest_level, state.level);
    ++report.events;
    if (!fault.str().empty()) {
      ADD_FAILURE() << "event " << n << " (seed " << seed
                    << "): " << fault.str();
      return report;
    }
  }
  return report;
}

inline void print_report(const char* layer, std::uint64_t seed,
                         const RandomPlayReport& r) {
  std::cout << layer << " random play, seed " << seed << ": " << r.events
            << " events, " << r.turns << " turns, " << r.wins << " levels won, "
            << r.resets << " resets, " << r.held_at_limit
            << " turns past the 32767 limit, highest level " << r.highest_level
            << "\n";
}

}  // namespace tumbra::testing
