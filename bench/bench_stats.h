// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Medians and ranges of timings taken in alternation, A B A B, so that both
// sides see the same moods of a shared machine.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace tumbra::bench {

using Clock = std::chrono::steady_clock;

struct Summary {
  double median, low, high;
};

inline Summary summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const std::size_t n = samples.size();
  const double median =
      n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
  return {median, samples.front(), samples.back()};
}

template <class Operation>
double time_us(Operation&& operation) {
  const Clock::time_point start = Clock::now();
  operation();
  return std::chrono::duration<double, std::micro>(Clock::now() - start)
      .count();
}

inline void print_pair(const char* what, const char* unit, const Summary& a,
                       const char* a_name, const Summary& b,
                       const char* b_name) {
  std::printf(
      "| %s | %s %.1f %s (%.1f–%.1f) | %s %.1f %s (%.1f–%.1f) | %.2f |\n", what,
      a_name, a.median, unit, a.low, a.high, b_name, b.median, unit, b.low,
      b.high, a.median / b.median);
}

}  // namespace tumbra::bench
