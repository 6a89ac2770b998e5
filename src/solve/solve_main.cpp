// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// tumbra-solve: the proven shortest solution of each built-in level.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "levels/leveldef.h"
#include "solve/solver.h"

namespace {

constexpr int levels = 6;

// The line printed for one level: "1 4 L4 L2 R3 R1".
std::string line_of(int level,
                    const std::optional<tumbra::solve::Solution>& solution) {
  if (!solution) return std::to_string(level) + " unsolvable";
  const std::string presses = tumbra::solve::to_text(solution->presses);
  return std::to_string(level) + " " +
         std::to_string(solution->presses.size()) +
         (presses.empty() ? "" : " ") + presses;
}

void usage(const tumbra::GameState& table) {
  // The example is the program's own line for level 1, so it cannot drift.
  const std::string example = line_of(1, tumbra::solve::solve_level(table, 1));
  std::printf(
      "usage: tumbra-solve [--level N] | --help | --version\n"
      "Prints, for each of the game's %d levels (or level N alone), the "
      "level,\n"
      "the length of a proven shortest solution, and its presses: L or R for "
      "the\n"
      "left or right mouse button, then the Turn button.\n"
      "  e.g. %s\n",
      levels, example.c_str());
}

int fail(const std::string& message) {
  std::fprintf(stderr, "tumbra-solve: %s (see --help)\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  tumbra::GameState table;
  tumbra::leveldef(table);

  int chosen = 0;  // 0: every level
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      usage(table);
      return 0;
    }
    if (arg == "--version") {
      std::printf("tumbra-solve %s\n", TUMBRA_VERSION);
      return 0;
    }
    if (arg != "--level") return fail("unknown argument '" + arg + "'");
    if (chosen != 0) return fail("--level is given once at most");
    if (i + 1 >= argc) return fail("--level needs a level number");
    const std::string value = argv[++i];
    char* end = nullptr;
    const long level = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || level < 1 || level > levels) {
      return fail("no level '" + value + "': levels are 1 to " +
                  std::to_string(levels));
    }
    chosen = static_cast<int>(level);
  }

  const int first = chosen != 0 ? chosen : 1;
  const int last = chosen != 0 ? chosen : levels;
  for (int level = first; level <= last; ++level) {
    try {
      std::printf(
          "%s\n",
          line_of(level, tumbra::solve::solve_level(table, level)).c_str());
    } catch (const tumbra::solve::GaveUp& gave_up) {
      std::fflush(stdout);
      std::fprintf(stderr, "tumbra-solve: %s\n", gave_up.what());
      return 1;
    }
  }
  return 0;
}
