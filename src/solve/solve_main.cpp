// tumbra-solve: the proven shortest solution of each built-in level.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "levels/leveldef.h"
#include "solve/solver.h"

namespace {

constexpr int levels = 6;

void usage(std::FILE* to) {
  std::fprintf(to,
               "usage: tumbra-solve [--level N]\n"
               "Prints, for each of the game's %d levels (or level N alone), "
               "the level,\n"
               "the length of a proven shortest solution, and its presses: "
               "L or R for the\n"
               "left or right mouse button, then the Turn button.\n"
               "  e.g. 3 7 L1 R2 R4 R1 R3 R1 L5\n",
               levels);
}

int fail(const std::string& message) {
  std::fprintf(stderr, "tumbra-solve: %s (see --help)\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1, last = levels;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      usage(stdout);
      return 0;
    }
    if (arg != "--level") return fail("unknown argument '" + arg + "'");
    if (i + 1 >= argc) return fail("--level needs a level number");
    const std::string value = argv[++i];
    char* end = nullptr;
    const long level = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || level < 1 || level > levels) {
      return fail("no level '" + value + "': levels are 1 to " +
                  std::to_string(levels));
    }
    first = last = static_cast<int>(level);
  }

  tumbra::GameState table;
  tumbra::leveldef(table);
  for (int level = first; level <= last; ++level) {
    const auto solution = tumbra::solve::solve_level(table, level);
    if (!solution) {
      std::printf("%d unsolvable\n", level);
      continue;
    }
    const std::string presses = tumbra::solve::to_text(solution->presses);
    std::printf("%d %zu%s%s\n", level, solution->presses.size(),
                presses.empty() ? "" : " ", presses.c_str());
  }
  return 0;
}
