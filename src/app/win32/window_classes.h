// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The windows the Windows view is made of, and what each carries: the
// view it belongs to and the load it was made for, as window properties
// that go with the window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/toolkit.h"

namespace tumbra {

class WinView;

namespace win32 {

inline constexpr wchar_t form_class[] = L"TumbraForm";
inline constexpr wchar_t block_class[] = L"TumbraBlock";

// Posted to a window of an unloaded load: it destroys itself.
inline constexpr UINT retire = WM_APP + 1;

// The child ids of the controls: a button's id comes back with its click.
constexpr int id_of(ControlName name, std::int16_t index) {
  return name == ControlName::Turn    ? 100 + index
         : name == ControlName::Reset ? 200
                                      : 300;
}
inline constexpr int reset_id = 200;

// Registers the form's and the blocks' window classes, once.
void register_classes();

// Marks `window` as the view's, made for load `serial`.
void mark(HWND window, WinView* view, std::uint32_t serial);
WinView* view_of(HWND window);
std::uint32_t serial_of(HWND window);

// Keeps a button's or the label's input and its screen reader's answers
// with the view; a Turn button then acts on every mouse button's press and
// ignores the keys that would click it.
void subclass_control(HWND window, ControlName name);

}  // namespace win32
}  // namespace tumbra
