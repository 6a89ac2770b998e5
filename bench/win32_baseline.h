// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Windows API's floor: the least a program with a window like the game's
// does, written straight against the Windows API. One window of the game's
// client size, under the game's icon, holding the controls the game's window
// holds, each placed and shown: the five Turn buttons and Reset, the Tries
// label in its colours and a font of the designed size, and two empty
// windows where the blocks of circles stand. What Windows itself charges
// for them, before a circle is drawn.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace tumbra::bench {

inline LRESULT CALLBACK baseline_procedure(HWND window, UINT message,
                                           WPARAM wparam, LPARAM lparam) {
  static HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  switch (message) {
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wparam), RGB(255, 0, 0));
      SetBkColor(reinterpret_cast<HDC>(wparam), RGB(0, 255, 0));
      return reinterpret_cast<LRESULT>(green);
    case WM_CLOSE: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

inline HWND make_baseline_window() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = baseline_procedure;
  type.hInstance = instance;
  type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  type.lpszClassName = L"Baseline";
  RegisterClassExW(&type);
  WNDCLASSEXW empty = type;
  empty.lpfnWndProc = DefWindowProcW;
  empty.lpszClassName = L"BaselineBlock";
  RegisterClassExW(&empty);

  const UINT dpi = GetDpiForSystem();
  auto px = [dpi](int pixels_at_96) { return MulDiv(pixels_at_96, dpi, 96); };
  RECT outer{0, 0, px(417), px(161)};
  AdjustWindowRectExForDpi(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
  HWND window = CreateWindowExW(
      WS_EX_CONTROLPARENT, L"Baseline", L"Baseline",
      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
      outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
      instance, nullptr);
  // The fonts the game's controls show: the system's message font on the
  // Turn buttons, and a TrueType font of the designed size on the others.
  LOGFONTW designed{};
  designed.lfHeight = -MulDiv(27, static_cast<int>(dpi), 144);
  designed.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  lstrcpynW(designed.lfFaceName, L"Microsoft Sans Serif", LF_FACESIZE);
  HFONT font = CreateFontIndirectW(&designed);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics,
                             0, dpi);
  HFONT message = CreateFontIndirectW(&metrics.lfMessageFont);
  auto add = [&](const wchar_t* type_name, const wchar_t* text, DWORD style,
                 int x, int y, int w, int h, HFONT shown = nullptr) {
    HWND c = CreateWindowExW(0, type_name, text,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                             px(x), px(y), px(w), px(h), window, nullptr,
                             instance, nullptr);
    SendMessageW(c, WM_SETFONT,
                 reinterpret_cast<WPARAM>(shown ? shown : font), FALSE);
  };
  const int places[5][2] = {{160, 32}, {224, 32}, {160, 96}, {224, 96},
                            {192, 64}};
  const wchar_t* digits[5] = {L"1", L"2", L"3", L"4", L"5"};
  for (int i = 0; i < 5; ++i) {
    add(L"BUTTON", digits[i], BS_PUSHBUTTON | WS_TABSTOP, places[i][0],
        places[i][1], 33, 33, message);
  }
  add(L"STATIC", L" 0/ 4", SS_CENTER | SS_CENTERIMAGE, 160, 0, 97, 33);
  add(L"BUTTON", L"Reset", BS_PUSHBUTTON | WS_TABSTOP, 160, 128, 97, 33);
  add(L"BaselineBlock", L"", 0, 0, 0, 161, 161);
  add(L"BaselineBlock", L"", 0, 256, 0, 161, 161);
  return window;
}

}  // namespace tumbra::bench
