// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What assistive technology reads of the window, through Qt's accessibility
// interface.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>

#include "../../support/qt_game.h"
#include "app/qt/block_widget.h"

namespace tumbra {
namespace {

using testing::QtGame;

std::string read(QWidget* widget, QAccessible::Text text) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
  return face == nullptr ? std::string("<none>")
                         : face->text(text).toStdString();
}

TEST(QtAccessibility, ButtonsLabelAndBlocksSayWhatTheyAreAndDo) {
  QtGame game;
  QWidget* board = game.view.block(ControlName::Piece, 1);
  QWidget* goal = game.view.block(ControlName::Piece, 26);
  QWidget* tries = game.view.widget(ControlName::Tries, 0);
  struct Expected {
    QWidget* widget;
    const char* name;
    const char* description;
  };
  const Expected expected[] = {
      {game.view.widget(ControlName::Turn, 1), "Turn 1",
       "Turns the ring of eight circles around the centre of the top-left "
       "group of the play board. Left button: a quarter turn clockwise. "
       "Right button: a quarter turn counter-clockwise."},
      {game.view.widget(ControlName::Turn, 5), "Turn 5",
       "Turns the ring of eight circles around the centre of the centre "
       "group of the play board. Left button: one place counter-clockwise. "
       "Right button: one place clockwise."},
      {game.view.widget(ControlName::Reset, 0), "Reset",
       "Starts the game over at level 1"},
      {tries, "Tries", "0 tries made; the minimum for this level is 4"},
      {board, "Play board",
       "Five rows of five circles, turned by the Turn buttons"},
      {goal, "Goal picture",
       "The colours the play board must show to finish the level"},
  };
  for (const Expected& e : expected) {
    EXPECT_EQ(read(e.widget, QAccessible::Name), e.name);
    EXPECT_EQ(read(e.widget, QAccessible::Description), e.description);
  }
  game.left(1);
  EXPECT_EQ(read(tries, QAccessible::Description),
            "1 try made; the minimum for this level is 4");
}

// Each block offers one accessible child for each circle it shows, at the
// circle's place on the screen.
TEST(QtAccessibility, EachCircleNamesItsPlaceAndColourAsTheColourChanges) {
  QtGame game;
  auto name_of = [&](std::int16_t piece) {
    QWidget* block = game.view.block(ControlName::Piece, piece);
    const QRect pixels = game.view.pixels(ControlName::Piece, piece);
    const QRect on_screen(game.view.window()->mapToGlobal(pixels.topLeft()),
                          pixels.size());
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(block);
    std::string name = "<no child at the circle's place>";
    for (int i = 0; i < face->childCount(); ++i) {
      QAccessibleInterface* circle = face->child(i);
      EXPECT_EQ(circle->role(), QAccessible::Graphic);
      if (circle->rect() == on_screen) {
        name = circle->text(QAccessible::Name).toStdString();
        EXPECT_EQ(circle->parent(), face);
      }
    }
    return name;
  };
  for (std::int16_t first : {1, 26}) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(
                  game.view.block(ControlName::Piece, first))
                  ->childCount(),
              25);
  }
  EXPECT_EQ(name_of(3), "Play board, row 1, column 3, red");
  EXPECT_EQ(name_of(1), "Play board, row 1, column 1, white");
  EXPECT_EQ(name_of(50), "Goal picture, row 5, column 5, red");
  EXPECT_EQ(name_of(36), "Goal picture, row 3, column 1, white");
  game.left(1);  // the red of circle 3 moves to 13, 11's to 1
  EXPECT_EQ(name_of(3), "Play board, row 1, column 3, white");
  EXPECT_EQ(name_of(1), "Play board, row 1, column 1, red");
  EXPECT_EQ(name_of(13), "Play board, row 3, column 3, red");
  game.go_to_level(6);
  EXPECT_EQ(name_of(1), "Play board, row 1, column 1, green");
  EXPECT_EQ(name_of(3), "Play board, row 1, column 3, black");
  EXPECT_EQ(name_of(19), "Play board, row 4, column 4, blue");
  EXPECT_EQ(name_of(29), "Goal picture, row 1, column 4, green");
}

}  // namespace
}  // namespace tumbra
