// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "solve/position_table.h"

namespace tumbra::solve {

std::size_t PositionTable::slot_of(Position p) const {
  // Mix both halves so that positions differing in any cell spread out.
  std::uint64_t h = p.low ^ (p.high * 0x9E3779B97F4A7C15u);
  h ^= h >> 31;
  h *= 0xBF58476D1CE4E5B9u;
  h ^= h >> 29;
  return static_cast<std::size_t>(h) & (slots_.size() - 1);
}

const PositionTable::Entry* PositionTable::find(Position p) const {
  const Position key = marked(p);
  for (std::size_t i = slot_of(p);; i = (i + 1) & (slots_.size() - 1)) {
    const Entry& e = slots_[i];
    if (e.key == key) return &e;
    if (e.key.high == 0) return nullptr;
  }
}

bool PositionTable::insert(Position p, std::uint8_t depth, std::uint8_t move) {
  if (2 * (size_ + 1) > static_cast<long>(slots_.size())) grow();
  const Position key = marked(p);
  for (std::size_t i = slot_of(p);; i = (i + 1) & (slots_.size() - 1)) {
    Entry& e = slots_[i];
    if (e.key == key) return false;
    if (e.key.high == 0) {
      e = {key, depth, move};
      ++size_;
      return true;
    }
  }
}

void PositionTable::grow() {
  std::vector<Entry> old(slots_.size() * 2);
  old.swap(slots_);
  size_ = 0;
  for (const Entry& e : old) {
    if (e.key.high != 0) insert({e.key.low, e.key.high & ~used}, e.depth, e.move);
  }
}

}  // namespace tumbra::solve
