// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Times the start of a Windows window from the program's entry to the end
// of its first paint: the first moment after the window shows when every
// part of it has been painted and no paint is pending. Built twice: with
// TUMBRA_GAME, the game's window as the game starts it; without, the Windows
// API's floor (win32_baseline.h). Prints "paint_ms=..." and ends.
#include <windows.h>

#include <cstdio>

#ifdef TUMBRA_GAME
#include "app/game_window.h"
#include "app/win32/win_view.h"
#else
#include "win32_baseline.h"
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
#ifdef TUMBRA_GAME
  tumbra::GameWindow<tumbra::WinView> game;
  game.model.start();
  auto dispatch = [&](MSG& m) { game.view.dispatch(m); };
#else
  HWND window = tumbra::bench::make_baseline_window();
  ShowWindow(window, SW_SHOW);
  auto dispatch = [](MSG& m) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  };
#endif
  MSG message;
  bool painted = false;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    painted = painted || message.message == WM_PAINT;
    dispatch(message);
    if (painted && !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT)) break;
  }
  QueryPerformanceCounter(&end);
  std::printf("paint_ms=%.3f\n", 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                                     static_cast<double>(frequency.QuadPart));
  return 0;
}
