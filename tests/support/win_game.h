// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Windows window driven through its own window procedures: a press is
// the mouse messages a button receives, and each box is the system's own,
// answered by a click on its button once it shows what the game asked for.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/win32/wide.h"
#include "app/win32/win_view.h"
#include "game.h"

namespace tumbra::testing {

// Handles what is waiting in the queue, retired windows among it, as the
// program's message loop would; a request to quit stays in the queue.
inline void settle(WinView* view = nullptr) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (view != nullptr) {
      view->dispatch(message);
    } else {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

// Settles until `done` holds, for two seconds at most: where a window
// manager places the windows, as under Wine, its answer to a move comes
// back through the queue a moment later.
template <class Done>
bool settle_until(Done done) {
  const ULONGLONG end = GetTickCount64() + 2000;
  for (settle(); !done(); settle()) {
    if (GetTickCount64() > end) return false;
    Sleep(10);
  }
  return true;
}

// The message a press of mouse button `code` sends, and its release.
inline std::pair<UINT, UINT> mouse_messages(std::int16_t code) {
  switch (code) {
    case mouse::left: return {WM_LBUTTONDOWN, WM_LBUTTONUP};
    case mouse::right: return {WM_RBUTTONDOWN, WM_RBUTTONUP};
    case mouse::middle: return {WM_MBUTTONDOWN, WM_MBUTTONUP};
    default: return {WM_XBUTTONDOWN, WM_XBUTTONUP};
  }
}

// Presses mouse button `code` on `target` and releases it on whichever
// window holds the pointer then, as under a real pointer.
inline void send_press(HWND target, std::int16_t code) {
  if (target == nullptr) return;
  const auto [down, up] = mouse_messages(code);
  const WPARAM x = code == 16 ? XBUTTON2 : XBUTTON1;
  const WPARAM wparam = down == WM_XBUTTONDOWN ? MAKEWPARAM(0, x) : 0;
  SendMessageW(target, down, wparam, MAKELPARAM(8, 8));
  HWND holder = GetCapture() != nullptr ? GetCapture() : target;
  if (IsWindow(holder)) SendMessageW(holder, up, wparam, MAKELPARAM(8, 8));
}

// The system's box that is open on this thread, or nullptr.
inline HWND open_box() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM out) -> BOOL {
        wchar_t type[16] = {};
        GetClassNameW(window, type, 16);
        if (std::wstring(type) == L"#32770" && IsWindowVisible(window)) {
          *reinterpret_cast<HWND*>(out) = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

inline std::wstring window_text(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// The icon a box shows, or nullptr: its static control of the icon style.
inline HICON box_icon(HWND box) {
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        IsWindowVisible(c)) {
      return reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
    }
  }
  return nullptr;
}

struct BoxAnswerer {
  static inline MessageBoxRecord asked;
  static inline BoxAnswer answer;

  // Once the box shows: checks it against what the game asked for, then
  // clicks the answer.
  static void CALLBACK check(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = open_box();
    if (box == nullptr) return;
    KillTimer(nullptr, timer);
    const bool critical = asked.style == BoxStyle::CriticalOkOnly;
    EXPECT_EQ(narrow(window_text(box)), asked.title);
    EXPECT_EQ(narrow(window_text(GetDlgItem(box, 0xFFFF))), asked.text);
    EXPECT_EQ(box_icon(box), critical ? LoadIconW(nullptr, IDI_HAND) : nullptr);
    HWND cancel = GetDlgItem(box, IDCANCEL);
    EXPECT_EQ(cancel != nullptr && IsWindowVisible(cancel), !critical);
    HWND choice = GetDlgItem(box, answer == BoxAnswer::Cancel && !critical
                                      ? IDCANCEL
                                      : IDOK);
    SendMessageW(choice, BM_CLICK, 0, 0);
  }
};

template <>
struct Driver<WinView> {
  static void press(WinView& v, std::int16_t index, std::int16_t code) {
    send_press(v.widget(ControlName::Turn, index), code);
  }
  static void reset(WinView& v) {
    send_press(v.widget(ControlName::Reset, 0), mouse::left);
  }
  static void answer(WinView&, const MessageBoxRecord& asked, BoxAnswer a) {
    BoxAnswerer::asked = asked;
    BoxAnswerer::answer = a;
    SetTimer(nullptr, 0, 10, BoxAnswerer::check);
  }
};

struct WinGame : Game<WinView> {
  ~WinGame() {
    model.unload_window();
    settle();
  }
};

}  // namespace tumbra::testing
