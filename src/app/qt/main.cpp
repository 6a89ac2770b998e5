// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Program start: the window is the start-up object. Building it runs the load
// sequence; then the event loop runs until the player closes the window. The
// game takes no command line: no argument reaches Qt or the game.
#include <QApplication>
#include <QWidget>
#include <utility>

#include "app/game_window.h"
#include "app/qt/application.h"
#include "app/qt/qt_view.h"
#include "app/qt/start_up.h"
#include "app/qt/termination.h"

int main(int /*argc*/, char** argv) {
  auto application = tumbra::open_application(argv[0]);
  tumbra::configure_application();

  int status = 0;
  {
    tumbra::GameWindow<tumbra::QtView> game;
    tumbra::close_on_termination([&game] {
      if (QWidget* shown = game.view.window()) {
        shown->close();
      } else {
        QCoreApplication::exit(0);
      }
    });
    game.model.start();
    status = QApplication::exec();
  }
  return tumbra::close_application(std::move(application), status);
}
