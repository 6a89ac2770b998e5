// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A position of the play board in two 64-bit words, as every machine holds
// them: three bits a cell hold its colour code 0 to 5, cell 0 (the top-left
// circle) lowest, cells 0 to 20 in the low word and 21 to 24 in the high
// one. A press permutes eight cells, which stays a handful of shifts and
// masks.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tumbra::solve {

struct Position {
  std::uint64_t low = 0;
  std::uint64_t high = 0;
  bool operator==(const Position&) const = default;
};

inline constexpr int cells = 25;
inline constexpr int bits_per_cell = 3;
inline constexpr int cells_in_low = 64 / bits_per_cell;  // 21

inline int cell(const Position& p, int i) {
  return i < cells_in_low
             ? static_cast<int>((p.low >> (bits_per_cell * i)) & 7u)
             : static_cast<int>((p.high >> (bits_per_cell * (i - cells_in_low))) & 7u);
}

inline Position with_cell(Position p, int i, int code) {
  std::uint64_t& word = i < cells_in_low ? p.low : p.high;
  const int shift = bits_per_cell * (i < cells_in_low ? i : i - cells_in_low);
  word = (word & ~(std::uint64_t{7} << shift)) |
         (static_cast<std::uint64_t>(code) << shift);
  return p;
}

// From the five row texts of a level ("00100", ...).
Position pack_rows(const std::array<std::string, 5>& rows);

}  // namespace tumbra::solve
