// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/block_window.h"

#include <algorithm>
#include <string>

#include "app/accessible_text.h"
#include "app/form1_design.h"
#include "app/win32/form_window.h"
#include "app/win32/wide.h"
#include "app/win32/win_view.h"
#include "app/win32/window_classes.h"
#include "toolkit/program_error.h"

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

const char* block_name(bool goal) {
  return goal ? "the goal picture" : "the play board";
}

PixelRect block_rect(const Twips& twips, bool goal) {
  return twips.rect(goal ? lattice::goal_offset : 0, 0, design::client_height,
                    design::client_height);
}

}  // namespace

BlockWindow::BlockWindow(FormWindow& form, bool goal) : form_(form), goal_(goal) {
  const PixelRect at = block_rect(form_.twips(), goal_);
  window_ = CreateWindowExW(
      0, win32::block_class, widen(accessible::blocks[goal_].name).c_str(),
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, at.x, at.y, at.width, at.height,
      form_.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) {
    throw ProgramError(std::string("the window of ") + block_name(goal_) +
                       " could not be made");
  }
  win32::hold(window_, this);
}

std::vector<const Control*> BlockWindow::circles() const {
  std::vector<const Control*> shown;
  if (form_.retired()) return shown;
  form_.model().each_control([&](const Control& c) {
    if (c.name == ControlName::Piece && c.visible &&
        lattice::in_goal(c.index) == goal_) {
      shown.push_back(&c);
    }
  });
  return shown;
}

PixelRect BlockWindow::in_block(const Control& circle) const {
  PixelRect at = form_.rect_of(circle);
  if (goal_) at.x -= form_.twips().to_pixels(lattice::goal_offset);
  return at;
}

void BlockWindow::place() {
  const PixelRect at = block_rect(form_.twips(), goal_);
  SetWindowPos(window_, nullptr, at.x, at.y, at.width, at.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void BlockWindow::restyle() {
  images_.clear();
  InvalidateRect(window_, nullptr, FALSE);
}

void BlockWindow::change(const Control& circle, Change what) {
  const PixelRect at = in_block(circle);
  RECT square{at.x, at.y, at.x + at.width, at.y + at.height};
  switch (what) {
    case Change::Colour: {
      if (!circle.visible) return;
      // The inside, within the outline that neighbours overlap.
      const int inset = form_.twips().overlap();
      InflateRect(&square, -inset, -inset);
      InvalidateRect(window_, &square, FALSE);
      tell_screen_readers(circle, EVENT_OBJECT_NAMECHANGE);
      return;
    }
    case Change::Visible:
      InvalidateRect(window_, &square, FALSE);
      tell_screen_readers(circle, EVENT_OBJECT_SHOW);
      return;
    case Change::Place:
      InvalidateRect(window_, nullptr, FALSE);
      if (circle.visible) tell_screen_readers(circle, EVENT_OBJECT_LOCATIONCHANGE);
      return;
    case Change::Caption: return;
  }
}

void BlockWindow::paint() {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(window_, &paint);
  const RECT area = paint.rcPaint;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) {
    EndPaint(window_, &paint);
    return;
  }
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = dc ? CreateCompatibleBitmap(screen, width, height) : nullptr;
  if (canvas == nullptr) {
    if (dc) DeleteDC(dc);
    EndPaint(window_, &paint);
    form_.view().stop(std::string(block_name(goal_)) + " could not be drawn");
  }
  HGDIOBJ before = SelectObject(dc, canvas);
  SetViewportOrgEx(dc, -area.left, -area.top, nullptr);
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  for (const Control* circle : circles()) {
    const PixelRect at = in_block(*circle);
    const RECT square{at.x, at.y, at.x + at.width, at.y + at.height};
    RECT overlap;
    if (!IntersectRect(&overlap, &square, &area)) continue;
    const std::vector<std::uint32_t>& pixels = image(*circle, at);
    const BITMAPINFO info = bitmap_of(at.width, at.height);
    SetDIBitsToDevice(dc, at.x, at.y, static_cast<DWORD>(at.width),
                      static_cast<DWORD>(at.height), 0, 0, 0,
                      static_cast<UINT>(at.height), pixels.data(), &info,
                      DIB_RGB_COLORS);
  }
  SetViewportOrgEx(dc, 0, 0, nullptr);
  BitBlt(screen, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(dc, before);
  DeleteObject(canvas);
  DeleteDC(dc);
  EndPaint(window_, &paint);
}

const std::vector<std::uint32_t>& BlockWindow::image(const Control& circle,
                                                     PixelRect at) {
  const CircleLook look{at.width,          at.height,       form_.twips().overlap(),
                        circle.back_color, form_.outline(), GetSysColor(COLOR_BTNFACE)};
  for (const auto& [drawn, pixels] : images_) {
    if (drawn == look) return pixels;
  }
  if (images_.size() >= 64) images_.clear();
  images_.emplace_back(look, circle_pixels(look));
  return images_.back().second;
}

void BlockWindow::tell_screen_readers(const Control& circle, DWORD event) const {
  // Screen readers hear of a shown window's changes; a load tells them of
  // its window once, as it shows (the caller asks only then).
  const auto shown = circles();
  const auto at = std::find(shown.begin(), shown.end(), &circle);
  if (at == shown.end()) return;
  NotifyWinEvent(event, window_, OBJID_CLIENT,
                 static_cast<LONG>(at - shown.begin()) + 1);
}

}  // namespace tumbra
