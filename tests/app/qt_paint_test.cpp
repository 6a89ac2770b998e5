// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A turn repaints the circles whose colour changed and the Tries label, and
// nothing else of the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <map>

#include "../support/qt_game.h"
#include "app/qt/circle_widget.h"
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
  QWidget* window = game.window.window();
  for (std::int16_t corner : {1, 3, 7, 11, 13}) {
    for (std::int16_t mode : {1, 2, 3, 4}) {
      std::map<QWidget*, Colour> before;
      for (std::int16_t i = 0; i <= 50; ++i) {
        QWidget* circle = game.window.widget(ControlName::Piece, i);
        before[circle] = static_cast<CircleWidget*>(circle)->colour();
      }
      PaintCounter counter;
      qApp->installEventFilter(&counter);
      turnit(game.window, game.state(), corner, mode);
      settle();
      qApp->removeEventFilter(&counter);

      auto in_window = [&](QWidget* w) {
        return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
      };
      QRegion allowed;
      QWidget* tries = game.window.widget(ControlName::Tries, 0);
      allowed += in_window(tries);
      EXPECT_EQ(counter.events[tries], 1);
      int changed = 0;
      for (const auto& [circle, colour] : before) {
        const bool visible_change =
            circle->isVisible() &&
            static_cast<CircleWidget*>(circle)->colour() != colour;
        EXPECT_EQ(counter.events[circle], visible_change ? 1 : 0)
            << "corner " << corner << " mode " << mode;
        if (visible_change) {
          allowed += in_window(circle);
          ++changed;
        }
      }
      EXPECT_GT(changed, 0);
      for (const auto& [target, events] : counter.events) {
        if (target == tries || before.count(static_cast<QWidget*>(target))) {
          continue;
        }
        // Only the background beneath the changed circles: the window's
        // and that of the block (board or goal) that holds them.
        const bool background =
            target == window ||
            target == game.window.widget(ControlName::Piece, 1)->parent() ||
            target == game.window.widget(ControlName::Piece, 26)->parent();
        EXPECT_TRUE(background) << target->metaObject()->className();
        EXPECT_TRUE((counter.regions[target] - allowed).isEmpty());
      }
    }
  }
}

}  // namespace
}  // namespace tumbra
