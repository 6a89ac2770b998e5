// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/window_classes.h"

#include <windowsx.h>

#include <string>

#include "app/win32/accessible.h"
#include "app/win32/block_window.h"
#include "app/win32/form_window.h"
#include "toolkit/program_error.h"

namespace tumbra::win32 {

namespace {

// The classes as Windows registered them, by which a window is told apart.
ATOM form_atom = 0;
ATOM block_atom = 0;
ATOM button_atom = 0;
ATOM label_atom = 0;
// What the system's button and label do, under the game's classes.
WNDPROC system_button = nullptr;
WNDPROC system_label = nullptr;

ATOM atom_of(HWND window) {
  return window == nullptr ? 0
                           : static_cast<ATOM>(GetClassLongPtrW(window, GCW_ATOM));
}

template <class Object>
Object* held(HWND window) {
  return reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK form_procedure(HWND window, UINT message, WPARAM wparam,
                                LPARAM lparam) {
  FormWindow* form = held<FormWindow>(window);
  if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    hold(window, nullptr);
    delete form;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return form->handle(message, wparam, lparam);
}

LRESULT CALLBACK block_procedure(HWND window, UINT message, WPARAM wparam,
                                 LPARAM lparam) {
  BlockWindow* block = held<BlockWindow>(window);
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_PAINT:
      if (block == nullptr) break;
      block->paint();
      return 0;
    case WM_GETOBJECT:
      if (LRESULT answer = answer_get_object(window, wparam, lparam)) {
        return answer;
      }
      break;
    case WM_NCDESTROY: hold(window, nullptr); break;
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
      if (FormWindow* form = form_of(window)) {
        form->turn_pressed(window, code, shift_state(wparam),
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
  if (message == WM_GETOBJECT) {
    if (LRESULT answer = answer_get_object(window, wparam, lparam)) return answer;
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

ATOM registered(const WNDCLASSEXW& type) {
  const ATOM atom = RegisterClassExW(&type);
  if (atom == 0) {
    throw ProgramError("Windows refused the window class " +
                       std::string(type.lpszClassName, type.lpszClassName +
                                   lstrlenW(type.lpszClassName)));
  }
  return atom;
}

// The system's class `system` under the name `name`, with `procedure`.
ATOM superclass(const wchar_t* system, const wchar_t* name, WNDPROC procedure,
                WNDPROC& system_procedure) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  if (!GetClassInfoExW(nullptr, system, &type)) {
    throw ProgramError("Windows has no window class " +
                       std::string(system, system + lstrlenW(system)));
  }
  system_procedure = type.lpfnWndProc;
  type.lpfnWndProc = procedure;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = name;
  return registered(type);
}

}  // namespace

void register_classes() {
  if (form_atom != 0) return;
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
  WNDCLASSEXW block{};
  block.cbSize = sizeof block;
  // A block drawn at a new size is drawn afresh, all of it.
  block.style = CS_HREDRAW | CS_VREDRAW;
  block.lpfnWndProc = block_procedure;
  block.hInstance = instance;
  block.hCursor = form.hCursor;
  block.lpszClassName = block_class;
  const ATOM blocks = registered(block);
  button_atom = superclass(L"BUTTON", button_class, button_procedure, system_button);
  label_atom = superclass(L"STATIC", label_class, label_procedure, system_label);
  block_atom = blocks;
  form_atom = registered(form);
}

void hold(HWND window, void* object) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

FormWindow* form_of(HWND window) {
  const ATOM atom = atom_of(window);
  if (atom != 0 && atom == form_atom) return held<FormWindow>(window);
  if (atom == 0 || (atom != button_atom && atom != label_atom)) return nullptr;
  HWND parent = GetParent(window);
  return atom_of(parent) == form_atom ? held<FormWindow>(parent) : nullptr;
}

BlockWindow* block_of(HWND window) {
  const ATOM atom = atom_of(window);
  return atom != 0 && atom == block_atom ? held<BlockWindow>(window) : nullptr;
}

}  // namespace tumbra::win32
