// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/block_window.h"

#include <algorithm>

#include "app/win32/win_view.h"

namespace tumbra {

namespace {

// A 32-bit bitmap of rows from the top down.
BITMAPINFO bitmap_of(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

void paint_block(HWND block, WinView* view) {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(block, &paint);
  const RECT area = paint.rcPaint;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width > 0 && height > 0) {
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ before = SelectObject(dc, canvas);
    SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (view != nullptr) {
      for (const Control* circle : view->circles_of(block)) {
        const PixelRect at = view->in_block(*circle);
        const RECT square{at.x, at.y, at.x + at.width, at.y + at.height};
        RECT overlap;
        if (!IntersectRect(&overlap, &square, &area)) continue;
        const std::vector<std::uint32_t>& pixels =
            view->circle_image(*circle, at);
        const BITMAPINFO info = bitmap_of(at.width, at.height);
        SetDIBitsToDevice(dc, at.x, at.y, static_cast<DWORD>(at.width),
                          static_cast<DWORD>(at.height), 0, 0, 0,
                          static_cast<UINT>(at.height), pixels.data(), &info,
                          DIB_RGB_COLORS);
      }
    }
    SetViewportOrgEx(dc, 0, 0, nullptr);
    BitBlt(screen, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, before);
    DeleteObject(canvas);
    DeleteDC(dc);
  }
  EndPaint(block, &paint);
}

std::vector<const Control*> WinView::circles_of(HWND block) const {
  std::vector<const Control*> circles;
  if (block == nullptr || (block != blocks_[0] && block != blocks_[1])) {
    return circles;
  }
  const bool goal = block == blocks_[1];
  model_.each_control([&](const Control& c) {
    if (c.name == ControlName::Piece && c.visible &&
        lattice::in_goal(c.index) == goal) {
      circles.push_back(&c);
    }
  });
  return circles;
}

PixelRect WinView::in_block(const Control& circle) const {
  PixelRect at = twips_.rect(circle.left, circle.top, circle.width, circle.height);
  if (lattice::in_goal(circle.index)) {
    at.x -= twips_.to_pixels(lattice::goal_offset);
  }
  return at;
}

const std::vector<std::uint32_t>& WinView::circle_image(const Control& circle,
                                                        PixelRect at) {
  // A handful of colours in play; a new DPI or colour scheme starts the
  // list afresh rather than letting it grow.
  const CircleLook look{at.width,        at.height, twips_.overlap(),
                        circle.back_color, outline_, GetSysColor(COLOR_BTNFACE)};
  for (const auto& [drawn, pixels] : images_) {
    if (drawn == look) return pixels;
  }
  if (images_.size() >= 64) images_.clear();
  images_.emplace_back(look, circle_pixels(look));
  return images_.back().second;
}

void WinView::tell_screen_readers(const Control& circle, DWORD event) const {
  // Screen readers hear of a shown window's changes; a load tells them of
  // its window once, as it shows (the caller asks only then).
  HWND block = blocks_[lattice::in_goal(circle.index) ? 1 : 0];
  const auto shown = circles_of(block);
  const auto at = std::find(shown.begin(), shown.end(), &circle);
  if (at == shown.end()) return;
  NotifyWinEvent(event, block, OBJID_CLIENT,
                 static_cast<LONG>(at - shown.begin()) + 1);
}

}  // namespace tumbra
