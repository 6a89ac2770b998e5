// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The toolkit's floor: the least a Qt 6 Widgets program with a window like
// the game's does. One window of the game's size holding one push button and
// one label with text, in the game's font and colours, so that the fonts and
// the style load as they do in the game.
#pragma once

#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

#include "app/form1_design.h"

namespace tumbra::bench {

inline QWidget* make_baseline_window() {
  auto* window = new QWidget;
  window->setWindowTitle("Baseline");
  window->resize(417, 161);
  QFont font;
  QStringList families{design::font_family};
  for (const char* family : design::font_stand_ins) families << family;
  font.setFamilies(families);
  font.setPointSizeF(13.5);
  auto* label = new QLabel(" 0/ 4", window);
  label->setGeometry(160, 0, 97, 33);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(font);
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, QColor(0, 255, 0));
  palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
  label->setPalette(palette);
  auto* button = new QPushButton("Reset", window);
  button->setGeometry(160, 128, 97, 33);
  button->setFont(font);
  return window;
}

// The same window holding the widgets the game's window holds: five more
// push buttons (the Turn pad) and two empty widgets (the blocks that paint
// the circles), each placed, shown and painted. What Qt itself charges for
// the game's controls, before a single circle is drawn.
inline QWidget* make_game_widgets_baseline_window() {
  QWidget* window = make_baseline_window();
  const int places[5][2] = {{160, 32}, {224, 32}, {160, 96}, {224, 96},
                            {192, 64}};
  for (int i = 0; i < 5; ++i) {
    auto* button = new QPushButton(QString::number(i + 1), window);
    button->setGeometry(places[i][0], places[i][1], 33, 33);
  }
  for (int left : {0, 256}) {
    auto* block = new QWidget(window);
    block->setGeometry(left, 0, 161, 161);
  }
  return window;
}

}  // namespace tumbra::bench
