// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A turn repaints the circles whose colour changed and the Tries label, and
// nothing else of the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPointer>
#include <map>

#include "../../support/qt_game.h"
#include "app/qt/block_widget.h"
#include "play/turnit.h"

namespace tumbra {
namespace {

using testing::QtGame;

// Counts paint events by widget and gathers the region each one covered,
// in window coordinates.
class PaintCounter : public QObject {
 public:
  std::map<QObject*, int> events;
  std::map<QObject*, QRegion> regions;

  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++events[target];
      auto* widget = static_cast<QWidget*>(target);
      regions[target] += static_cast<QPaintEvent*>(event)->region().translated(
          widget->mapTo(widget->window(), QPoint(0, 0)));
    }
    return false;
  }
};

void settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

TEST(QtPainting, ATurnRepaintsOnlyTheChangedCirclesAndTheTriesLabel) {
  QtGame game;
  game.go_to_level(6);  // every ring holds several colours
  settle();
  QtView& w = game.view;
  const QPointer<QWidget> window = w.window();
  const QPointer<QWidget> tries = w.widget(ControlName::Tries, 0);
  const QPointer<QWidget> board = w.block(ControlName::Piece, 1);
  const QPointer<QWidget> goal = w.block(ControlName::Piece, 26);
  const int overlap = 1;  // pixels by which neighbouring cells overlap
  auto colour = [&](std::int16_t i) { return game.piece_colour(i); };
  for (std::int16_t corner : {1, 3, 7, 11, 13}) {
    for (std::int16_t mode : {1, 2, 3, 4}) {
      std::map<std::int16_t, Colour> before;
      for (std::int16_t i = 1; i <= 50; ++i) before[i] = colour(i);
      PaintCounter counter;
      qApp->installEventFilter(&counter);
      turnit(game.model, game.state(), corner, mode);
      settle();
      qApp->removeEventFilter(&counter);

      // What may be painted: the label and the circles whose colour
      // changed; what must be: the label and the inside of each of them.
      QRegion allowed(w.pixels(ControlName::Tries, 0)), needed;
      for (const auto& [i, old] : before) {
        if (colour(i) == old) continue;
        const QRect circle = w.pixels(ControlName::Piece, i);
        allowed += circle;
        needed += circle.adjusted(overlap, overlap, -overlap, -overlap);
      }
      const std::string turn =
          "corner " + std::to_string(corner) + " mode " + std::to_string(mode);
      EXPECT_FALSE(needed.isEmpty()) << turn;
      EXPECT_EQ(counter.events[tries], 1) << turn;
      EXPECT_LE(counter.events[board], 1) << turn;
      EXPECT_EQ(counter.events.count(goal), 0u) << turn;
      EXPECT_TRUE((needed - counter.regions[board]).isEmpty()) << turn;
      for (const auto& [target, events] : counter.events) {
        // Besides the label and the board, only the window's background
        // beneath the changed circles.
        EXPECT_TRUE(target == tries || target == board || target == window)
            << turn << ": " << target->metaObject()->className();
        EXPECT_TRUE((counter.regions[target] - allowed).isEmpty()) << turn;
      }
    }
  }
}

}  // namespace
}  // namespace tumbra
