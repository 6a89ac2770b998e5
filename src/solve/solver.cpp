// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "solve/solver.h"

#include <algorithm>
#include <array>
#include <utility>

#include "board/turn_pad.h"
#include "play/ring_turn.h"
#include "solve/position_table.h"

namespace tumbra::solve {

Position pack_rows(const std::array<std::string, 5>& rows) {
  Position p;
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) {
      const char code = c < static_cast<int>(rows[r].size()) ? rows[r][c] : '0';
      p = with_cell(p, 5 * r + c, code - '0');
    }
  }
  return p;
}

namespace {

constexpr std::uint8_t no_move = 255;

struct Move {
  Press press;
  std::array<int, cells> from{};  // cell i takes the colour of cell from[i]
  std::vector<int> changed;       // the cells whose colour moves
  std::uint8_t inverse = 0;
};

// The ten presses, each as the permutation that the game's own ring copies
// make of the board: run on circles that hold their own numbers, the copies
// leave in each circle the number of the circle its colour came from.
std::vector<Move> make_moves() {
  std::vector<Move> moves;
  for (std::int16_t button = 1; button <= turn_pad::buttons; ++button) {
    const turn_pad::Button& row = *turn_pad::button(button);
    for (const auto& [side, mode] :
         {std::pair{'L', row.left_mode}, std::pair{'R', row.right_mode}}) {
      std::array<int, 51> circle{};
      for (int i = 0; i < 51; ++i) circle[i] = i;
      turn_ring(
          row.corner, mode, [&](int i) { return circle[i]; },
          [&](int i, int from) { circle[i] = from; });
      Move move{{side, button}, {}, {}, 0};
      for (int i = 0; i < cells; ++i) {
        move.from[i] = circle[i + 1] - 1;
        if (move.from[i] != i) move.changed.push_back(i);
      }
      moves.push_back(move);
    }
  }
  // Every press must be a permutation that another press undoes: the
  // search walks its paths back by the undoing press. Copies that lose or
  // double a colour are a broken turn, and no search over them can end.
  for (Move& m : moves) {
    bool found = false;
    for (std::size_t k = 0; k < moves.size(); ++k) {
      bool undoes = true;
      for (int i = 0; i < cells; ++i) {
        undoes = undoes && m.from[moves[k].from[i]] == i;
      }
      if (undoes) {
        m.inverse = static_cast<std::uint8_t>(k);
        found = true;
      }
    }
    if (!found) {
      throw GaveUp("press " + to_text({m.press}) +
                   " is undone by no other press: the ring turns are broken");
    }
  }
  return moves;
}

Position apply_move(const Move& move, Position p) {
  Position next = p;
  for (int i : move.changed) next = with_cell(next, i, cell(p, move.from[i]));
  return next;
}

// The presses that lead from the root of `table`'s search to `p`, in the
// order they were made from the root.
std::vector<std::uint8_t> path_to(const PositionTable& table,
                                  const std::vector<Move>& moves, Position p) {
  std::vector<std::uint8_t> path;
  for (const auto* e = table.find(p); e->depth > 0;) {
    path.push_back(e->move);
    p = apply_move(moves[moves[e->move].inverse], p);
    const auto* before = table.find(p);
    // Each step back leads one layer nearer the root, or the turns lie.
    if (before == nullptr || before->depth + 1 != e->depth) {
      throw GaveUp("a path does not lead back to its root");
    }
    e = before;
  }
  std::reverse(path.begin(), path.end());
  return path;
}

}  // namespace

std::optional<Solution> solve_level(const GameState& table, int level,
                                    long bound) {
  static const std::vector<Move> moves = make_moves();
  std::array<std::string, 5> start_rows, goal_rows;
  for (int r = 0; r < 5; ++r) {
    start_rows[r] = start_row(table, level, r);
    goal_rows[r] = goal_row(table, level, r);
  }
  const Position start = pack_rows(start_rows);
  const Position goal = pack_rows(goal_rows);
  if (start == goal) return Solution{};

  // Both searches advance one whole layer at a time, the smaller first. A
  // meeting found in a layer is as short as any solution can be, because
  // every shorter one would have met in an earlier layer.
  PositionTable seen[2];
  std::vector<Position> frontier[2] = {{start}, {goal}};
  int depth[2] = {0, 0};
  seen[0].insert(start, 0, no_move);
  seen[1].insert(goal, 0, no_move);
  while (!frontier[0].empty() && !frontier[1].empty()) {
    const int side = frontier[0].size() <= frontier[1].size() ? 0 : 1;
    const int other = 1 - side;
    std::vector<Position> next;
    std::optional<Position> meeting;
    int best = 0;
    for (Position p : frontier[side]) {
      for (std::size_t m = 0; m < moves.size(); ++m) {
        const Position q = apply_move(moves[m], p);
        if (!seen[side].insert(q, static_cast<std::uint8_t>(depth[side] + 1),
                               static_cast<std::uint8_t>(m))) {
          continue;
        }
        next.push_back(q);
        if (seen[0].size() + seen[1].size() > bound) {
          throw GaveUp("level " + std::to_string(level) + ": gave up after " +
                       std::to_string(bound) + " positions");
        }
        if (const auto* e = seen[other].find(q)) {
          if (!meeting || e->depth < best) {
            meeting = q;
            best = e->depth;
          }
        }
      }
    }
    ++depth[side];
    frontier[side] = std::move(next);
    if (!meeting) continue;

    Solution solution;
    solution.positions_seen = seen[0].size() + seen[1].size();
    std::vector<std::uint8_t> forward = path_to(seen[0], moves, *meeting);
    std::vector<std::uint8_t> backward = path_to(seen[1], moves, *meeting);
    // The goal's search ran the presses from the goal; undone in reverse
    // they lead on from the meeting to the goal.
    for (auto it = backward.rbegin(); it != backward.rend(); ++it) {
      forward.push_back(moves[*it].inverse);
    }
    for (std::uint8_t m : forward) solution.presses.push_back(moves[m].press);
    return solution;
  }
  return std::nullopt;
}

std::string to_text(const std::vector<Press>& presses) {
  std::string text;
  for (const Press& p : presses) {
    if (!text.empty()) text += ' ';
    text += p.side;
    text += std::to_string(p.button);
  }
  return text;
}

}  // namespace tumbra::solve
