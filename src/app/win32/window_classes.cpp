// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/window_classes.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/win32/accessible.h"
#include "app/win32/block_window.h"
#include "app/win32/win_view.h"

namespace tumbra::win32 {

namespace {

constexpr wchar_t view_property[] = L"tumbra.view";
constexpr wchar_t load_property[] = L"tumbra.load";

void unmark(HWND window) {
  RemovePropW(window, view_property);
  RemovePropW(window, load_property);
}

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

// The game's code of a mouse button, as every window numbers it: 1 left,
// 2 right, 4 middle, 8 and 16 the two extra buttons; 0 for no press.
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
      return GET_XBUTTON_WPARAM(wparam) == XBUTTON1 ? 8 : 16;
    default: return 0;
  }
}

bool released_other_button(UINT message) {
  return message == WM_RBUTTONUP || message == WM_MBUTTONUP ||
         message == WM_XBUTTONUP;
}

LRESULT CALLBACK control_procedure(HWND window, UINT message, WPARAM wparam,
                                   LPARAM lparam, UINT_PTR name,
                                   DWORD_PTR /*data*/) {
  const bool turn = name == static_cast<UINT_PTR>(ControlName::Turn);
  if (turn) {
    if (const std::int16_t code = pressed_button(message, wparam)) {
      // The press may win the level, and the reload then retires this
      // button: what the button itself does with a press comes first.
      LRESULT result = 0;
      if (code == mouse::left) {
        result = DefSubclassProc(window, message, wparam, lparam);
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
    case WM_NCDESTROY:
      unmark(window);
      RemoveWindowSubclass(window, control_procedure, name);
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
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
  form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form.hIconSm = static_cast<HICON>(LoadImageW(
      instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
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
}

void mark(HWND window, WinView* view, std::uint32_t serial) {
  SetPropW(window, view_property, view);
  SetPropW(window, load_property,
           reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(serial)));
}

WinView* view_of(HWND window) {
  return static_cast<WinView*>(GetPropW(window, view_property));
}

std::uint32_t serial_of(HWND window) {
  return static_cast<std::uint32_t>(
      reinterpret_cast<std::uintptr_t>(GetPropW(window, load_property)));
}

void subclass_control(HWND window, ControlName name) {
  SetWindowSubclass(window, control_procedure, static_cast<UINT_PTR>(name), 0);
}

}  // namespace tumbra::win32
