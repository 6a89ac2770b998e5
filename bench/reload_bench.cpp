// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// One reload of the game window (unload, load sequence, show, paint) against
// creating and showing the minimal window, alternated; then a thousand
// reloads in one process, watching memory and the widget count.
#include <QApplication>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/game_window.h"
#include "app/qt/qt_view.h"
#include "baseline_form.h"
#include "bench_stats.h"

namespace {

long rss_kib() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

void settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  tumbra::GameWindow<tumbra::QtView> shown;
  tumbra::ControlModel& toolkit = shown.model;
  toolkit.show_window();
  settle();

  const int rounds = argc > 1 ? std::atoi(argv[1]) : 300;
  const int long_run = argc > 2 ? std::atoi(argv[2]) : 1000;
  QWidget* baseline = nullptr;
  auto reload = [&] {
    toolkit.unload_window();
    toolkit.show_window();
    settle();
  };
  auto baseline_show = [&] {
    delete baseline;  // as the reload deletes the window it replaces
    baseline = tumbra::bench::make_baseline_window();
    baseline->show();
    settle();
  };
  QWidget* crowded = nullptr;
  auto crowded_show = [&] {
    delete crowded;
    crowded = tumbra::bench::make_game_widgets_baseline_window();
    crowded->show();
    settle();
  };
  for (int i = 0; i < 30; ++i) {  // warm caches, fonts and the style
    reload();
    baseline_show();
    crowded_show();
  }
  std::vector<double> game_us, floor_us, crowded_us;
  for (int i = 0; i < rounds; ++i) {
    game_us.push_back(tumbra::bench::time_us(reload));
    floor_us.push_back(tumbra::bench::time_us(baseline_show));
    crowded_us.push_back(tumbra::bench::time_us(crowded_show));
  }
  delete baseline;
  delete crowded;
  settle();
  const auto game = tumbra::bench::summarise(game_us);
  tumbra::bench::print_pair("reload", "µs", game, "game",
                            tumbra::bench::summarise(floor_us),
                            "minimal window");
  tumbra::bench::print_pair("reload", "µs", game, "game",
                            tumbra::bench::summarise(crowded_us),
                            "minimal window + the game's widgets");

  const long widgets_before = QApplication::allWidgets().size();
  const long rss_before = rss_kib();
  bool constant = true;
  for (int i = 0; i < long_run; ++i) {
    reload();
    constant = constant && QApplication::allWidgets().size() == widgets_before;
  }
  const long rss_after = rss_kib();
  std::printf(
      "| %d reloads | RSS %ld → %ld KiB (growth %ld KiB) | widgets "
      "%ld, %s |\n",
      long_run, rss_before, rss_after, rss_after - rss_before, widgets_before,
      constant ? "constant after every reload" : "NOT constant");
  return constant ? 0 : 1;
}
