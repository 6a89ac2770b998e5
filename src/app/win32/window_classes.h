// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The window classes the Windows view is made of, and how a window finds
// the object it shows: the form and each block carry theirs on the window
// itself (GWLP_USERDATA) until the window is destroyed; a button or the
// label belongs to the form that is its parent.
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/toolkit.h"

namespace tumbra {

class BlockWindow;
class FormWindow;

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

// Registers the view's window classes, once. Throws ProgramError naming a
// class that Windows refused.
void register_classes();

// The window carries `object` until it is destroyed.
void hold(HWND window, void* object);
// The form that `window` is, or whose control it is; nullptr for any other
// window, and once the window is gone.
FormWindow* form_of(HWND window);
// The block that `window` is, or nullptr.
BlockWindow* block_of(HWND window);

}  // namespace win32
}  // namespace tumbra
