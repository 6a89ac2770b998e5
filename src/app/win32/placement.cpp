// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Where the Windows window stands and how large it is: centred on its
// monitor's work area, its client area the design's size at the monitor's
// DPI, and laid out afresh on a monitor of another DPI.
#include <algorithm>

#include "app/form1_design.h"
#include "app/win32/form_window.h"
#include "app/win32/window_classes.h"

namespace tumbra {

using win32::form_extended_style;
using win32::form_style;

RECT FormWindow::centred_on(HMONITOR monitor) const {
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

void FormWindow::centre() {
  const RECT place =
      centred_on(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST));
  SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  fit_client();
}

void FormWindow::fit_client() {
  // Where the frame Windows drew differs from the one it gave for this DPI,
  // the client area keeps the design's size all the same.
  RECT client;
  GetClientRect(window_, &client);
  const LONG dx = twips_.to_pixels(design::client_width) - client.right;
  const LONG dy = twips_.to_pixels(design::client_height) - client.bottom;
  if (dx == 0 && dy == 0) return;
  RECT outer;
  GetWindowRect(window_, &outer);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + dx,
               outer.bottom - outer.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::dpi_changed(UINT dpi, const RECT& suggested) {
  // A window the player left at the designed size keeps it; one the player
  // resized keeps the size Windows suggests.
  RECT client;
  GetClientRect(window_, &client);
  const bool designed =
      client.right == twips_.to_pixels(design::client_width) &&
      client.bottom == twips_.to_pixels(design::client_height);
  dpi_ = dpi;
  twips_ = Twips::at_dpi(dpi);
  Fonts fresh(dpi);
  for (const auto& b : blocks_) b->place();
  for (const auto& [key, window] : controls_) {
    const PixelRect at = rect_of(*model_.find(key.first, key.second));
    SetWindowPos(window, nullptr, at.x, at.y, at.width, at.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fresh.for_control(key.first)), TRUE);
  }
  fonts_ = std::move(fresh);  // the old fonts go once no control shows them
  SetWindowPos(window_, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left,
               suggested.bottom - suggested.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (designed) fit_client();
  // Every child drawn afresh at the new size: the form clips its children,
  // so invalidating the form alone would leave them as they were drawn.
  RedrawWindow(window_, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace tumbra
