// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The copy sequences that turn the ring of eight circles around the centre of
// a 3 x 3 group. They only move colours: a read and a write function stand
// for the circles, so the game (on its window) and the solver (on a plain
// array) share one definition of a turn.
#pragma once

#include <array>
#include <cstdint>

namespace tumbra {

namespace ring {

// Offsets from the group's top-left piece; `hold` is the holding cell,
// Piece 0, which keeps the colour that each cycle would overwrite.
inline constexpr std::int8_t hold = -1;

struct Copy {
  std::int8_t to, from;
};

struct Sequence {
  std::int16_t mode;
  std::uint8_t length;
  std::array<Copy, 10> copies;
};

// 1 and 2: a quarter turn clockwise and counter-clockwise, as two cycles of
// four (the corners, then the middles of the sides). 3 and 4: one place
// counter-clockwise and clockwise, as one cycle of all eight. The centre
// (offset 6) is never touched.
// clang-format off
inline constexpr std::array<Sequence, 4> sequences{{
    {1, 10, {{{hold, 0}, {0, 10}, {10, 12}, {12, 2}, {2, hold},
              {hold, 1}, {1, 5}, {5, 11}, {11, 7}, {7, hold}}}},
    {2, 10, {{{hold, 0}, {0, 2}, {2, 12}, {12, 10}, {10, hold},
              {hold, 1}, {1, 7}, {7, 11}, {11, 5}, {5, hold}}}},
    {3, 9, {{{hold, 0}, {0, 1}, {1, 2}, {2, 7}, {7, 12}, {12, 11},
             {11, 10}, {10, 5}, {5, hold}}}},
    {4, 9, {{{hold, 0}, {0, 5}, {5, 10}, {10, 11}, {11, 12}, {12, 7},
             {7, 2}, {2, 1}, {1, hold}}}},
}};
// clang-format on

// The groups whose nine pieces all lie on the 5 x 5 board: a top-left piece
// in rows 0 to 2 and columns 0 to 2.
constexpr bool valid_corner(int corner) {
  return corner >= 1 && corner <= 13 && (corner - 1) % 5 <= 2;
}

}  // namespace ring

// Turns the ring of the group whose top-left board piece is `corner`.
// `read(piece)` and `write(piece, colour)` address pieces by their number,
// 0 being the holding cell. A mode other than 1 to 4 copies nothing.
template <class Read, class Write>
void turn_ring(int corner, int mode, Read&& read, Write&& write) {
  for (const ring::Sequence& s : ring::sequences) {
    if (s.mode != mode) continue;
    for (std::uint8_t k = 0; k < s.length; ++k) {
      const ring::Copy c = s.copies[k];
      const int to = c.to == ring::hold ? 0 : corner + c.to;
      const int from = c.from == ring::hold ? 0 : corner + c.from;
      write(to, read(from));
    }
    return;
  }
}

}  // namespace tumbra
