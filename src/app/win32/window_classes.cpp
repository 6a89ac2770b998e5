// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/window_classes.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "app/win32/accessible.h"
#include "app/win32/block_window.h"
#include "app/win32/win_view.h"

namespace tumbra::win32 {

namespace {

// Every window of the views, by its handle; a few dozen at most.
struct Mark {
  HWND window;
  WinView* view;
  std::uint32_t serial;
};
std::vector<Mark> marks;

const Mark* mark_of(HWND window) {
  const auto it = std::find_if(marks.begin(), marks.end(),
                               [&](const Mark& m) { return m.window == window; });
  return it == marks.end() ? nullptr : &*it;
}

void unmark(HWND window) {
  marks.erase(std::remove_if(marks.begin(), marks.end(),
                             [&](const Mark& m) { return m.window == window; }),
              marks.end());
}

// What the system's button and label do, under the game's classes.
WNDPROC system_button = nullptr;
WNDPROC system_label = nullptr;

LRESULT CALLBACK form_procedure(HWND window, UINT message, WPARAM wparam,
                                LPARAM lparam) {
  WinView* view = view_of(window);
  switch (message) {
    case WM_COMMAND:
      if (view != nullptr && HIWORD(wparam) == BN_CLICKED) {
        view->clicked(window, LOWORD(wparam));
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      if (view != nullptr) {
        if (HBRUSH brush = view->tries_colours(reinterpret_cast<HDC>(wparam),
                                               reinterpret_cast<HWND>(lparam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_ACTIVATE:
      if (view != nullptr && view->window() == window) {
        view->remember_focus(LOWORD(wparam) != WA_INACTIVE);
        return 0;
      }
      break;
    case WM_CLOSE:
      // The game's own window or a retired one: either way the player, or
      // Windows, asked the program to end.
      if (view != nullptr) view->end();
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      if (wparam && view != nullptr) view->end();
      return 0;
    case WM_DPICHANGED:
      if (view != nullptr && view->window() == window) {
        view->dpi_changed(HIWORD(wparam),
                          *reinterpret_cast<const RECT*>(lparam));
        return 0;
      }
      break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
      if (view != nullptr && view->window() == window) view->colours_changed();
      break;
    case retire: DestroyWindow(window); return 0;
    case WM_NCDESTROY: unmark(window); break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK block_procedure(HWND window, UINT message, WPARAM wparam,
                                 LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_PAINT:
      paint_block(window, view_of(window));
      return 0;
    case WM_GETOBJECT:
      if (LRESULT answer = answer_get_object(window, wparam, lparam)) {
        return answer;
      }
      break;
    case WM_NCDESTROY: unmark(window); break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

std::int16_t shift_state(WPARAM keys) {
  std::int16_t state = 0;
  if (keys & MK_SHIFT) state |= 1;
  if (keys & MK_CONTROL) state |= 2;
  if (GetKeyState(VK_MENU) < 0) state |= 4;
  return state;
}

// The game's code of the mouse button a message presses; 0 for none.
std::int16_t pressed_button(UINT message, WPARAM wparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return mouse::left;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return mouse::right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return mouse::middle;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK:
      return GET_XBUTTON_WPARAM(wparam) == XBUTTON1 ? mouse::back
                                                    : mouse::forward;
    default: return 0;
  }
}

bool released_other_button(UINT message) {
  return message == WM_RBUTTONUP || message == WM_MBUTTONUP ||
         message == WM_XBUTTONUP;
}

LRESULT CALLBACK control_procedure(WNDPROC system, HWND window, UINT message,
                                   WPARAM wparam, LPARAM lparam) {
  const int id = GetDlgCtrlID(window);
  const bool turn = id > id_of(ControlName::Turn, 0) && id < reset_id;
  auto system_does = [system](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return CallWindowProcW(system, w, m, wp, lp);
  };
  if (turn) {
    if (const std::int16_t code = pressed_button(message, wparam)) {
      // The press may win the level, and the reload then retires this
      // button: what the button itself does with a press comes first.
      LRESULT result = 0;
      if (code == mouse::left) {
        result = system_does(window, message, wparam, lparam);
      } else {
        SetFocus(window);
        SetCapture(window);
        SendMessageW(window, BM_SETSTATE, TRUE, 0);
      }
      if (WinView* view = view_of(window)) {
        view->turn_pressed(window, code, shift_state(wparam),
                           {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      }
      return message == WM_XBUTTONDOWN || message == WM_XBUTTONDBLCLK ? TRUE
                                                                      : result;
    }
    if (released_other_button(message)) {
      SendMessageW(window, BM_SETSTATE, FALSE, 0);
      if (GetCapture() == window) ReleaseCapture();
      return message == WM_XBUTTONUP ? TRUE : 0;
    }
    // A box that opened on the press took the pointer before the release.
    if (message == WM_CAPTURECHANGED) SendMessageW(window, BM_SETSTATE, FALSE, 0);
    // The space bar would push and click it: no key turns anything.
    if ((message == WM_KEYDOWN || message == WM_KEYUP) && wparam == VK_SPACE) {
      return 0;
    }
  }
  switch (message) {
    case WM_GETOBJECT:
      if (LRESULT answer = answer_get_object(window, wparam, lparam)) {
        return answer;
      }
      break;
    case WM_NCDESTROY: unmark(window); break;
  }
  return system_does(window, message, wparam, lparam);
}

LRESULT CALLBACK button_procedure(HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam) {
  return control_procedure(system_button, window, message, wparam, lparam);
}

LRESULT CALLBACK label_procedure(HWND window, UINT message, WPARAM wparam,
                                 LPARAM lparam) {
  return control_procedure(system_label, window, message, wparam, lparam);
}

// The system's class `system` under the name `name`, with `procedure`.
void superclass(const wchar_t* system, const wchar_t* name, WNDPROC procedure,
                WNDPROC& system_procedure) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  GetClassInfoExW(nullptr, system, &type);
  system_procedure = type.lpfnWndProc;
  type.lpfnWndProc = procedure;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = name;
  RegisterClassExW(&type);
}

}  // namespace

void register_classes() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.lpfnWndProc = form_procedure;
  form.hInstance = instance;
  // The title bar's small icon Windows takes from the same icon resource
  // when it first shows one.
  form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = form_class;
  RegisterClassExW(&form);
  WNDCLASSEXW block{};
  block.cbSize = sizeof block;
  block.lpfnWndProc = block_procedure;
  block.hInstance = instance;
  block.hCursor = form.hCursor;
  block.lpszClassName = block_class;
  RegisterClassExW(&block);
  superclass(L"BUTTON", button_class, button_procedure, system_button);
  superclass(L"STATIC", label_class, label_procedure, system_label);
}

void mark(HWND window, WinView* view, std::uint32_t serial) {
  unmark(window);
  marks.push_back({window, view, serial});
}

WinView* view_of(HWND window) {
  const Mark* m = mark_of(window);
  return m == nullptr ? nullptr : m->view;
}

std::uint32_t serial_of(HWND window) {
  const Mark* m = mark_of(window);
  return m == nullptr ? 0 : m->serial;
}

}  // namespace tumbra::win32
