// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Where the Windows window stands and how large it is: centred on its
// monitor's work area, its client area the design's size at the monitor's
// DPI, and laid out afresh on a monitor of another DPI.
#include <algorithm>

#include "app/form1_design.h"
#include "app/win32/win_view.h"
#include "app/win32/window_classes.h"

namespace tumbra {

using win32::form_extended_style;
using win32::form_style;

RECT WinView::centred_on(HMONITOR monitor) const {
  // The whole window, frame included, centred on the monitor's work area.
  RECT outer{0, 0, twips_.to_pixels(design::client_width),
             twips_.to_pixels(design::client_height)};
  AdjustWindowRectExForDpi(&outer, form_style, FALSE, form_extended_style,
                           dpi_);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const RECT& area = info.rcWork;
  const LONG width = outer.right - outer.left;
  const LONG height = outer.bottom - outer.top;
  const LONG x =
      area.left + std::max(LONG{0}, (area.right - area.left - width) / 2);
  const LONG y =
      area.top + std::max(LONG{0}, (area.bottom - area.top - height) / 2);
  return {x, y, x + width, y + height};
}

void WinView::centre() {
  const RECT place =
      centred_on(MonitorFromWindow(form_, MONITOR_DEFAULTTONEAREST));
  SetWindowPos(form_, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  fit_client();
}

void WinView::fit_client() {
  // Where the frame Windows drew differs from the one it gave for this DPI,
  // the client area keeps the design's size all the same.
  RECT client;
  GetClientRect(form_, &client);
  const LONG dx = twips_.to_pixels(design::client_width) - client.right;
  const LONG dy = twips_.to_pixels(design::client_height) - client.bottom;
  if (dx == 0 && dy == 0) return;
  RECT outer;
  GetWindowRect(form_, &outer);
  SetWindowPos(form_, nullptr, 0, 0, outer.right - outer.left + dx,
               outer.bottom - outer.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    place(blocks_[goal ? 1 : 0], block_rect(goal));
  }
  for (const auto& [key, window] : widgets_) {
    const Control* c = model_.find(key.first, key.second);
    place(window, twips_.rect(c->left, c->top, c->width, c->height));
    SendMessageW(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font_for(c->name)), TRUE);
  }
  SetWindowPos(form_, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left,
               suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (designed) fit_client();
  InvalidateRect(form_, nullptr, TRUE);
}

}  // namespace tumbra
