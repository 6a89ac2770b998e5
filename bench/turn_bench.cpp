// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The cost of a turn: turnit plus the match check, on the in-memory window
// and on the Qt window (offscreen, repaint included), each next to a floor
// that does the least work of its kind. Fixed iteration counts from 1,000
// to 1,000,000 show whether the cost per turn stays flat.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <array>
#include <memory>
#include <string>

#include "app/game_window.h"
#include "app/headless/headless_view.h"
#include "app/qt/qt_view.h"
#include "play/ring_turn.h"
#include "play/turn_mousedown.h"
#include "play/turnit.h"

namespace {

using tumbra::Colour;

// Level 6: every ring holds several colours, so every turn changes circles.
template <class View>
struct Level6 : tumbra::GameWindow<View> {
  tumbra::ControlModel& toolkit = this->model;
  Level6() {
    this->form.state().level = 5;
    toolkit.show_window();
  }
};

void TurnInMemory(benchmark::State& state) {
  Level6<tumbra::HeadlessView> game;
  for (auto _ : state) {
    tumbra::turnit(game.toolkit, game.form.state(), 7, 3);
    benchmark::DoNotOptimize(tumbra::matching_cells(game.toolkit));
  }
}

// The floor: the same copies and comparisons on a plain array.
void TurnPlainArray(benchmark::State& state) {
  std::array<Colour, 51> cells{};
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = Colour(i % 6);
  for (auto _ : state) {
    tumbra::turn_ring(
        7, 3, [&](int i) { return cells[i]; },
        [&](int i, Colour c) { cells[i] = c; });
    int matches = 0;
    for (int i = 1; i <= 25; ++i) matches += cells[i] == cells[i + 25];
    benchmark::DoNotOptimize(matches);
  }
}

void TurnQt(benchmark::State& state) {
  Level6<tumbra::QtView> game;
  QCoreApplication::processEvents();
  for (auto _ : state) {
    tumbra::turnit(game.toolkit, game.form.state(), 7, 3);
    benchmark::DoNotOptimize(tumbra::matching_cells(game.toolkit));
    QCoreApplication::processEvents();  // the repaint
  }
}

// The floor of any visible change on Qt: a label's new text, repainted.
void LabelRepaint(benchmark::State& state) {
  auto window = std::make_unique<QWidget>();
  window->resize(417, 161);
  auto* label = new QLabel(window.get());
  label->setGeometry(160, 0, 97, 33);
  window->show();
  QCoreApplication::processEvents();
  int n = 0;
  for (auto _ : state) {
    label->setText(QString::number(++n % 32768));
    QCoreApplication::processEvents();
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Each pair runs at 1,000 to 1,000,000 turns, floor first.
  for (long turns : {1'000L, 10'000L, 100'000L, 1'000'000L}) {
    const std::string n = std::to_string(turns);
    benchmark::RegisterBenchmark(("floor: plain array/" + n).c_str(),
                                 TurnPlainArray)
        ->Iterations(turns);
    benchmark::RegisterBenchmark(("turn: in-memory window/" + n).c_str(),
                                 TurnInMemory)
        ->Iterations(turns);
    benchmark::RegisterBenchmark(("floor: label repaint/" + n).c_str(),
                                 LabelRepaint)
        ->Iterations(turns);
    benchmark::RegisterBenchmark(("turn: Qt window/" + n).c_str(), TurnQt)
        ->Iterations(turns);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
