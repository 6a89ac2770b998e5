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

void WinView::dpi_changed(UINT dpi, const RECT& suggested) {
  // A window the player left at the designed size keeps it; one the player
  // resized keeps the size Windows suggests.
  RECT client;
  GetClientRect(form_, &client);
  const bool designed =
      client.right == twips_.to_pixels(design::client_width) &&
      client.bottom == twips_.to_pixels(design::client_height);
  dpi_ = dpi;
  twips_ = Twips::at_dpi(dpi);
  fonts_.make(dpi);
  for (bool goal : {false, true}) {
    place(blocks_[goal ? 1 : 0],
          twips_.rect(goal ? lattice::goal_offset : 0, 0,
                      design::client_height, design::client_height));
  }
  for (const auto& [key, window] : widgets_) {
    const Control* c = model_.find(key.first, key.second);
    place(window, twips_.rect(c->left, c->top, c->width, c->height));
    SendMessageW(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(design::has_designed_font(c->name)
                                              ? fonts_.designed()
                                              : fonts_.message()),
                 TRUE);
  }
  SetWindowPos(form_, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left,
               suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (designed) fit_client();
  InvalidateRect(form_, nullptr, TRUE);
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
