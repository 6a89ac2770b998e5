// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A position of the play board packed into 75 bits: three bits a cell hold
// its colour code 0 to 5, cell 0 (the top-left circle) lowest. A press
// permutes eight cells, which stays a handful of shifts and masks.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tumbra::solve {

__extension__ typedef unsigned __int128 Position;

inline constexpr int cells = 25;
inline constexpr int bits_per_cell = 3;

inline int cell(Position p, int i) {
  return static_cast<int>((p >> (bits_per_cell * i)) & 7u);
}

inline Position with_cell(Position p, int i, int code) {
  const int shift = bits_per_cell * i;
  p &= ~(Position{7} << shift);
  return p | (Position{static_cast<unsigned>(code)} << shift);
}

// From the five row texts of a level ("00100", ...).
Position pack_rows(const std::array<std::string, 5>& rows);

}  // namespace tumbra::solve
