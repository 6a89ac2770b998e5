// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The windows the Windows view is made of, and what each carries: the
// view it belongs to and the load it was made for, kept in the program's
// own memory until the window is destroyed.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/toolkit.h"

namespace tumbra {

class WinView;

namespace win32 {

inline constexpr wchar_t form_class[] = L"TumbraForm";
// The form: an ordinary top-level window, resizable, whose controls Tab
// visits as a dialog's.
inline constexpr DWORD form_style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
inline constexpr DWORD form_extended_style = WS_EX_CONTROLPARENT;
inline constexpr wchar_t block_class[] = L"TumbraBlock";
// The system's button and label, with the game's input and its screen
// reader's answers: a Turn button acts on every mouse button's press and
// ignores the keys that would click it.
inline constexpr wchar_t button_class[] = L"TumbraButton";
inline constexpr wchar_t label_class[] = L"TumbraLabel";

// Posted to a window of an unloaded load: it destroys itself.
inline constexpr UINT retire = WM_APP + 1;

// The child ids of the controls: a button's id comes back with its click.
constexpr int id_of(ControlName name, std::int16_t index) {
  return name == ControlName::Turn    ? 100 + index
         : name == ControlName::Reset ? 200
                                      : 300;
}
inline constexpr int reset_id = 200;

// Registers the view's window classes, once.
void register_classes();

// Marks `window` as the view's, made for load `serial`; the mark goes with
// the window.
void mark(HWND window, WinView* view, std::uint32_t serial);
WinView* view_of(HWND window);
std::uint32_t serial_of(HWND window);

}  // namespace win32
}  // namespace tumbra
