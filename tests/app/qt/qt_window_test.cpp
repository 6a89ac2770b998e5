// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The real window, offscreen: its design in pixels, its input, its reloads.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <utility>
#include <vector>

#include "../../play/play_scenarios.h"
#include "../../play/random_play.h"
#include "../../support/qt_game.h"
#include "../../support/stand_in_form.h"
#include "../toolkit_contract.h"
#include "app/qt/application.h"
#include "app/qt/block_widget.h"
#include "app/outline_colour.h"
#include "app/qt/circle_look.h"

namespace tumbra {
namespace testing {
INSTANTIATE_TYPED_TEST_SUITE_P(QtWindow, PlayScenarios, QtGame);
struct QtLayer {
  using View = QtView;
  static std::string said(const QtView& view, const ControlModel&,
                          ControlName name, std::int16_t index) {
    BlockWidget* b = view.block(name, index);
    return b == nullptr ? "<no block>"
                        : b->accessible_circle(index)
                              ->text(QAccessible::Name)
                              .toStdString();
  }
  static void settle() { testing::settle(); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(QtWindow, ToolkitContract, QtLayer);
}  // namespace testing

namespace {

using testing::QtGame;

// The game with every Turn press written down before it sees it.
struct RecordedGame {
  Form1 form;
  testing::StandInForm events;
  ControlModel model{events};
  QtView view{model};
  RecordedGame() {
    events.game = &form;
    form.attach(model);
    model.attach(view);
    model.show_window();
  }
  ~RecordedGame() {
    model.unload_window();
    testing::settle();
  }
};

double pixels_per_twip() {
  return QGuiApplication::primaryScreen()->logicalDotsPerInch() / 1440.0;
}

TEST(QtWindow, ShowsTheDesignedWindowCentredWithEveryControlInItsCell) {
  QtGame game;
  QWidget* window = game.view.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Tumbra!");
  ASSERT_DOUBLE_EQ(pixels_per_twip(), 1.0 / 15.0);  // 96 DPI offscreen
  EXPECT_EQ(window->size(), QSize(417, 161));

  const QRect area = window->screen()->availableGeometry();
  EXPECT_LE(std::abs(window->geometry().center().x() - area.center().x()), 1);
  EXPECT_LE(std::abs(window->geometry().center().y() - area.center().y()), 1);

  struct Cell {
    ControlName name;
    std::int16_t index;
    QRect pixels;
  };
  const Cell cells[] = {
      {ControlName::Piece, 1, {0, 0, 33, 33}},
      {ControlName::Piece, 25, {128, 128, 33, 33}},
      {ControlName::Piece, 26, {256, 0, 33, 33}},
      {ControlName::Piece, 50, {384, 128, 33, 33}},
      {ControlName::Turn, 1, {160, 32, 33, 33}},
      {ControlName::Turn, 5, {192, 64, 33, 33}},
      {ControlName::Turn, 4, {224, 96, 33, 33}},
      {ControlName::Tries, 0, {160, 0, 97, 33}},
      {ControlName::Reset, 0, {160, 128, 97, 33}},
  };
  for (const Cell& c : cells) {
    EXPECT_EQ(game.view.pixels(c.name, c.index), c.pixels)
        << int(c.name) << "/" << c.index;
    EXPECT_TRUE(game.model.visible(game.model.element(c.name, c.index)));
  }
  EXPECT_FALSE(game.model.visible(game.model.element(ControlName::Piece, 0)));

  auto* tries = static_cast<QLabel*>(game.view.widget(ControlName::Tries, 0));
  EXPECT_EQ(tries->text(), " 0/ 4");
  EXPECT_EQ(tries->palette().color(QPalette::Window), QColor(0, 255, 0));
  EXPECT_EQ(tries->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_DOUBLE_EQ(tries->font().pointSizeF(), 13.5);
  auto* reset =
      static_cast<QPushButton*>(game.view.widget(ControlName::Reset, 0));
  EXPECT_EQ(reset->text(), "Reset");
  EXPECT_EQ(window->focusWidget(), game.view.widget(ControlName::Turn, 1));
}

TEST(QtWindow, TheApplicationCarriesItsDesktopIdAndIcon) {
  configure_application();
  EXPECT_EQ(QGuiApplication::desktopFileName(), "org.tumbra.Tumbra");
  const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(64, 64)));
  EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
}

TEST(QtWindow, CirclesPaintTheirExactColourAtTheirCentre) {
  QtGame game;
  game.go_to_level(6);
  const QImage image = game.view.window()->grab().toImage();
  for (std::int16_t i = 1; i <= 50; ++i) {
    const Colour colour = game.piece_colour(i);
    const QPoint centre = game.view.pixels(ControlName::Piece, i).center();
    EXPECT_EQ(image.pixelColor(centre), to_qcolor(colour)) << "piece " << i;
  }
}

// The outline of every circle stands out from the window's background by at
// least 3 : 1, on a dark scheme and on a light grey one, where a fixed mid
// grey would not; the fills stay the level's colours exactly.
TEST(QtWindow, CircleOutlinesStandOutOnDarkAndLightColourSchemes) {
  const QPalette original = QApplication::palette();
  for (const QColor background :
       {QColor(0x3c, 0x3f, 0x41), QColor(0xd4, 0xd0, 0xc8)}) {
    QPalette scheme = original;
    scheme.setColor(QPalette::Window, background);
    QApplication::setPalette(scheme);
    {
      QtGame game;
      game.go_to_level(6);  // black and white circles side by side
      const QImage image = game.view.window()->grab().toImage();
      // The gap between four circles shows the window itself.
      EXPECT_EQ(image.pixelColor(31, 31), background);
      for (std::int16_t i = 1; i <= 50; ++i) {
        const QRect circle = game.view.pixels(ControlName::Piece, i);
        double best = 1.0;
        // The rim at the top of the circle, as painted.
        for (int x = circle.center().x() - 3; x <= circle.center().x() + 3;
             ++x) {
          best = std::max(
              best,
              contrast_ratio(from_qcolor(image.pixelColor(x, circle.top())),
                             from_qcolor(background)));
        }
        EXPECT_GE(best, 3.0)
            << "piece " << i << " on " << background.name().toStdString();
        EXPECT_EQ(image.pixelColor(circle.center()),
                  to_qcolor(game.piece_colour(i)));
      }
    }
    QApplication::setPalette(original);
  }
}

TEST(QtWindow, EveryMouseButtonArrivesOnThePressWithItsCode) {
  RecordedGame game;
  const QPointer<QWidget> turn3 = game.view.widget(ControlName::Turn, 3);
  QTest::mousePress(turn3->window()->windowHandle(), Qt::RightButton, {},
                    turn3->mapTo(turn3->window(), QPoint(16, 16)));
  // Delivered on the press, before any release.
  ASSERT_EQ(game.events.presses.size(), 1u);
  EXPECT_EQ(game.events.presses[0],
            std::make_pair(std::int16_t{3}, mouse::right));
  QTest::mouseRelease(turn3->window()->windowHandle(), Qt::RightButton, {},
                      turn3->mapTo(turn3->window(), QPoint(16, 16)));
  EXPECT_FALSE(static_cast<QPushButton*>(turn3.data())->isDown());

  testing::send_press(game.view, game.view.widget(ControlName::Turn, 5),
                      mouse::middle);
  testing::send_press(game.view, game.view.widget(ControlName::Turn, 2), 8);
  const std::vector<std::pair<std::int16_t, std::int16_t>> expected{
      {3, mouse::right}, {5, mouse::middle}, {2, 8}};
  EXPECT_EQ(game.events.presses, expected);
  EXPECT_EQ(game.form.state().trycount, 1);  // only the right press
}

TEST(QtWindow, TheSecondOfTwoQuickPressesArrivesToo) {
  RecordedGame game;
  const QPointer<QWidget> turn1 = game.view.widget(ControlName::Turn, 1);
  QWindow* handle = turn1->window()->windowHandle();
  const QPoint at = turn1->mapTo(turn1->window(), QPoint(16, 16));
  // Press, release, press within the double-click interval: the toolkit
  // reports the second press as a double-click.
  QTest::mouseDClick(handle, Qt::LeftButton, {}, at);
  QTest::mouseRelease(handle, Qt::LeftButton, {}, at);
  EXPECT_EQ(game.events.presses.size(), 2u);
  EXPECT_EQ(game.form.state().trycount, 2);
}

TEST(QtWindow, KeysOnTheFocusedTurnButtonTurnNothing) {
  RecordedGame game;
  const QPointer<QWidget> turn1 = game.view.widget(ControlName::Turn, 1);
  ASSERT_EQ(turn1->window()->focusWidget(), turn1);
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
    QTest::keyClick(turn1, key);
  }
  EXPECT_TRUE(game.events.presses.empty());
  EXPECT_EQ(game.form.state().trycount, 0);
}

TEST(QtWindow, ReloadsLeaveNoOldControlAlive) {
  QtGame game;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const qsizetype widgets = QApplication::allWidgets().size();
  const QPoint place = game.view.window()->pos();
  for (int i = 0; i < 5; ++i) {
    game.view.window()->move(place + QPoint(40, 30));  // the player moved it
    game.click_reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
    EXPECT_EQ(game.view.window()->pos(), place);  // centred again
  }
  game.play("L1 L3 R2 R4");  // won by a press whose button the reload retires
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(QApplication::allWidgets().size(), widgets);
  EXPECT_EQ(game.state().level, 2);
}

TEST(QtWindow, ResizingMovesNoControl) {
  QtGame game;
  const QRect circle = game.view.pixels(ControlName::Piece, 50);
  const QRect button = game.view.pixels(ControlName::Turn, 4);
  for (QSize size : {QSize(900, 600), QSize(10, 10)}) {
    game.view.window()->resize(size);
    QCoreApplication::processEvents();
    EXPECT_EQ(game.view.pixels(ControlName::Piece, 50), circle);
    EXPECT_EQ(game.view.pixels(ControlName::Turn, 4), button);
  }
}

// Real presses on the five buttons with every mouse button Qt knows,
// Reset clicks, and boxes answered either way.
TEST(QtWindow, TwentyThousandRandomEventsKeepEveryInvariant) {
  QtGame game;
  const std::uint64_t seed = testing::random_play_seed();
  const testing::RandomPlayPlan plan{testing::scaled_events(20'000),
                                     {1, 2, 3, 4, 5},
                                     {1, 2, 4, 8, 16, 1, 2},
                                     1.0 / 2'000};
  const auto report = testing::random_play(game, plan, seed);
  testing::print_report("Qt window", seed, report);
  EXPECT_EQ(report.events, plan.events);
}

TEST(QtWindow, AThousandReloadsKeepTheWidgetCountConstant) {
  QtGame game;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const qsizetype widgets = QApplication::allWidgets().size();
  for (int i = 0; i < 1000; ++i) {
    game.click_reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(QApplication::allWidgets().size(), widgets) << "reload " << i;
  }
}

TEST(QtWindowDeathTest, AProgrammingErrorInAHandlerStopsWithItsNameAndStatus1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        QtGame game;
        game.state().level = 101;  // no such level: the caption lookup fails
        game.left(1);
      },
      ::testing::ExitedWithCode(1),
      "tumbra: stopped by a programming error: level 101 is outside 0 to 100");
}

}  // namespace
}  // namespace tumbra

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tumbra::configure_application();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
