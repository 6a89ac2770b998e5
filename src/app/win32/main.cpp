// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Program start on Windows: the window is the start-up object. Building it
// runs the load sequence; then the message loop runs until the player
// closes the window or the session ends. The game takes no command line.
#include <windows.h>

#include "app/game_window.h"
#include "app/win32/win_view.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tumbra::GameWindow<tumbra::WinView> game;
  game.model.start();
  return tumbra::run_message_loop(game.view);
}
