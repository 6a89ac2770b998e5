// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Windows API's floor as a program that runs until it is closed: what
// the game's start-up from the process start is measured against.
#include "win32_baseline.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ShowWindow(tumbra::bench::make_baseline_window(), SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
