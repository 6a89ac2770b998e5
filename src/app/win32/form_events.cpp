// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What the Windows window's procedures pass on to its view: the player's
// input, the requests to end, and news of the DPI and the system colours.
#include <algorithm>

#include "app/form1_design.h"
#include "app/outline_colour.h"
#include "app/win32/win_view.h"
#include "app/win32/window_classes.h"

namespace tumbra {

void WinView::dispatch(MSG& message) {
  if (form_ != nullptr && IsDialogMessageW(form_, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void WinView::turn_pressed(HWND button, std::int16_t code, std::int16_t shift,
                           POINT at) {
  const auto index = static_cast<std::int16_t>(
      GetDlgCtrlID(button) - win32::id_of(ControlName::Turn, 0));
  model_.turn_mousedown(win32::serial_of(button), index, code, shift,
                        static_cast<float>(twips_.to_twips(at.x)),
                        static_cast<float>(twips_.to_twips(at.y)));
}

void WinView::clicked(HWND form, int id) {
  if (id == win32::reset_id) model_.reset_click(win32::serial_of(form));
}

void WinView::end() {
  if (ending_) return;
  ending_ = true;
  // Ends the message loop, and first any box's own loop, which passes the
  // request on once it has closed the box.
  PostQuitMessage(0);
}

void WinView::colours_changed() {
  const Colour outline = outline_for(GetSysColor(COLOR_BTNFACE));
  if (outline == outline_) return;
  outline_ = outline;
  for (HWND block : blocks_) InvalidateRect(block, nullptr, FALSE);
}

void WinView::remember_focus(bool active) {
  if (!active) {
    HWND focused = GetFocus();
    if (focused != nullptr && IsChild(form_, focused)) focus_ = focused;
  } else if (focus_ != nullptr) {
    SetFocus(focus_);
  }
}

HBRUSH WinView::tries_colours(HDC dc, HWND label) const {
  if (label != widget(ControlName::Tries, 0)) return nullptr;
  // Red on green, kept in a high-contrast theme as the circles keep theirs.
  SetTextColor(dc, design::tries_fore_color);
  SetBkColor(dc, design::tries_back_color);
  return tries_brush_;
}

}  // namespace tumbra
