// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// An open-addressing table of positions, each with the depth at which a
// search reached it and the press that led there. Sized for millions of
// positions without a node allocation apiece.
#pragma once

#include <cstdint>
#include <vector>

#include "solve/position.h"

namespace tumbra::solve {

class PositionTable {
 public:
  struct Entry {
    Position key;  // the high word's top bit marks a used slot
    std::uint8_t depth = 0;
    std::uint8_t move = 0;
  };

  PositionTable() : slots_(1 << 16) {}

  // The entry of `p`, or nullptr.
  const Entry* find(Position p) const;
  // Adds `p` unless present; returns whether it was added.
  bool insert(Position p, std::uint8_t depth, std::uint8_t move);
  long size() const { return size_; }

 private:
  static constexpr std::uint64_t used = std::uint64_t{1} << 63;
  static Position marked(Position p) { return {p.low, p.high | used}; }
  std::size_t slot_of(Position p) const;
  void grow();

  std::vector<Entry> slots_;
  long size_ = 0;
};

}  // namespace tumbra::solve
