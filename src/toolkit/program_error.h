// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A programming error: an index out of range, an invalid argument, or a
// toolkit operation on a control that does not exist. None occurs in play;
// when one does, the program stops and names it rather than read or write
// outside a table.
#pragma once

#include <stdexcept>
#include <string>

namespace tumbra {

class ProgramError : public std::logic_error {
 public:
  explicit ProgramError(const std::string& what) : std::logic_error(what) {}
};

// Throws ProgramError naming `what` unless `low <= value <= high`.
inline void require_range(long long value, long long low, long long high,
                          const char* what) {
  if (value < low || value > high) {
    throw ProgramError(std::string(what) + " " + std::to_string(value) +
                       " is outside " + std::to_string(low) + " to " +
                       std::to_string(high));
  }
}

}  // namespace tumbra
