// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// How screen readers meet the Windows window, over Active Accessibility
// (and UI Automation, which reads it): each button and the Tries label by
// the names and descriptions every window gives them, each block as a
// group whose children are its showing circles, each a graphic named by its
// place and colour. The label is named by the tries in words
// (live_region.h makes it a live region). Everything else is the
// system's own answer.
#pragma once

#include <windows.h>

namespace tumbra {

// Answers WM_GETOBJECT for one of the view's controls or blocks; 0 where
// the system's own answer stands.
LRESULT answer_get_object(HWND window, WPARAM wparam, LPARAM lparam);

// Whether a screen reader has asked for an object of the program.
bool screen_readers_listen();

}  // namespace tumbra
