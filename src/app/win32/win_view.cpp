// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/win_view.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "app/accessible_text.h"
#include "app/form1_design.h"
#include "app/outline_colour.h"
#include "app/win32/wide.h"
#include "app/win32/window_classes.h"
#include "toolkit/program_error.h"

namespace tumbra {

namespace {


// A button shows "&" as an underline under the next letter; the game's
// captions mean the character itself.
std::wstring button_text(const std::string& caption) {
  std::wstring text;
  for (wchar_t c : widen(caption)) {
    text += c;
    if (c == L'&') text += L'&';
  }
  return text;
}

}  // namespace

WinView::WinView(ControlModel& model)
    : model_(model),
      tries_brush_(CreateSolidBrush(design::tries_back_color)) {
  // The buttons of common controls 6, which the manifest asks for.
  static const bool controls = [] {
    INITCOMMONCONTROLSEX wanted{sizeof wanted, ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&wanted) != FALSE;
  }();
  (void)controls;
  win32::register_classes();
}

WinView::~WinView() {
  for (HWND old : retired_) {
    if (IsWindow(old)) DestroyWindow(old);
  }
  if (form_ != nullptr) DestroyWindow(form_);
  DeleteObject(tries_brush_);
}

WinView* WinView::of(HWND window) { return win32::view_of(window); }

HWND WinView::widget(ControlName name, std::int16_t index) const {
  const auto it = widgets_.find({name, index});
  return it == widgets_.end() ? nullptr : it->second;
}

PixelRect WinView::pixels(ControlName name, std::int16_t index) const {
  const Control* c = model_.find(name, index);
  if (c == nullptr) return {};
  return twips_.rect(c->left, c->top, c->width, c->height);
}

const Control* WinView::control_of(HWND window) const {
  for (const auto& [key, shown] : widgets_) {
    if (shown == window) return model_.find(key.first, key.second);
  }
  return nullptr;
}

void WinView::open() {
  // The window opens centred on the monitor the last one stood on, at the
  // size the system's DPI gives it; on a monitor of another DPI it takes
  // that monitor's size and is centred again.
  const HMONITOR monitor =
      had_window_ ? MonitorFromRect(&last_place_, MONITOR_DEFAULTTONEAREST)
                  : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  dpi_ = GetDpiForSystem();
  twips_ = Twips::at_dpi(dpi_);
  const RECT place = centred_on(monitor);
  form_ = CreateWindowExW(win32::form_extended_style, win32::form_class,
                          widen(design::caption).c_str(), win32::form_style,
                          place.left, place.top, place.right - place.left,
                          place.bottom - place.top, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  if (form_ == nullptr) throw ProgramError("the window could not be made");
  win32::mark(form_, this, model_.serial());
  centred_ = true;
  if (const UINT dpi = GetDpiForWindow(form_); dpi != dpi_) {
    dpi_ = dpi;
    twips_ = Twips::at_dpi(dpi_);
    centred_ = false;
  }
  fit_client();
  fonts_.make(dpi_);
  outline_ = outline_for(GetSysColor(COLOR_BTNFACE));
}

void WinView::build() {
  // The controls and blocks are made as the window first shows, each as it
  // stands then, in one call: the load before it placed, captioned and
  // showed them in the model alone. They are made in the order of the
  // windows: the controls that take the keyboard in tab order, then the
  // others, then the blocks, which every control overlaps by its outline.
  model_.each_in_tab_order([&](const Control& c) { add_window(c); });
  model_.each_control([&](const Control& c) {
    if (c.name != ControlName::Piece && widget(c.name, c.index) == nullptr) {
      add_window(c);
    }
  });
  for (bool goal : {false, true}) {
    const PixelRect at = block_rect(goal);
    HWND block = CreateWindowExW(
        0, win32::block_class, widen(accessible::blocks[goal].name).c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, at.x, at.y, at.width,
        at.height, form_, nullptr, GetModuleHandleW(nullptr), nullptr);
    win32::mark(block, this, model_.serial());
    blocks_[goal ? 1 : 0] = block;
  }
}

void WinView::place(HWND window, PixelRect at) const {
  SetWindowPos(window, nullptr, at.x, at.y, at.width, at.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

PixelRect WinView::block_rect(bool goal) const {
  return twips_.rect(goal ? lattice::goal_offset : 0, 0, design::client_height,
                     design::client_height);
}

HFONT WinView::font_for(ControlName name) const {
  return design::has_designed_font(name) ? fonts_.designed()
                                         : fonts_.message();
}

void WinView::add_window(const Control& c) {
  const wchar_t* type = nullptr;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (c.visible ? WS_VISIBLE : 0);
  std::wstring text;
  switch (c.name) {
    case ControlName::Turn:
    case ControlName::Reset:
      type = win32::button_class;
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      text = button_text(c.caption);
      break;
    case ControlName::Tries:
      type = win32::label_class;
      style |= SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
      text = widen(c.caption);
      break;
    case ControlName::Piece: return;  // painted by its block
  }
  const PixelRect at = twips_.rect(c.left, c.top, c.width, c.height);
  HWND window = CreateWindowExW(
      0, type, text.c_str(), style, at.x, at.y, at.width, at.height, form_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32::id_of(c.name, c.index))),
      GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) throw ProgramError("a control could not be made");
  win32::mark(window, this, model_.serial());
  SendMessageW(window, WM_SETFONT,
               reinterpret_cast<WPARAM>(font_for(c.name)), FALSE);
  widgets_[{c.name, c.index}] = window;
}

void WinView::add(const Control& c) {
  // Before the window shows, the model alone holds it; after, each new
  // control gets its window at once.
  if (!shown_) return;
  if (c.name == ControlName::Piece) {
    if (c.visible) change(c, Change::Visible);
    return;
  }
  add_window(c);
}

void WinView::change(const Control& c, Change what) {
  // A load places, colours and captions its controls before its window
  // shows, and the show builds them as they stand.
  if (!shown_) return;
  if (c.name == ControlName::Piece) {
    HWND block = blocks_[lattice::in_goal(c.index) ? 1 : 0];
    const PixelRect at = in_block(c);
    RECT square{at.x, at.y, at.x + at.width, at.y + at.height};
    switch (what) {
      case Change::Colour: {
        if (!c.visible) return;
        // The inside, within the outline that neighbours overlap.
        const int inset = twips_.overlap();
        InflateRect(&square, -inset, -inset);
        InvalidateRect(block, &square, FALSE);
        tell_screen_readers(c, EVENT_OBJECT_NAMECHANGE);
        return;
      }
      case Change::Visible:
        InvalidateRect(block, &square, FALSE);
        tell_screen_readers(c, EVENT_OBJECT_SHOW);
        return;
      case Change::Place:
        InvalidateRect(block, nullptr, FALSE);
        if (c.visible) tell_screen_readers(c, EVENT_OBJECT_LOCATIONCHANGE);
        return;
      case Change::Caption: return;
    }
    return;
  }
  HWND window = widget(c.name, c.index);
  switch (what) {
    case Change::Place:
      place(window, twips_.rect(c.left, c.top, c.width, c.height));
      return;
    case Change::Visible:
      ShowWindow(window, c.visible ? SW_SHOWNA : SW_HIDE);
      return;
    case Change::Caption:
      SetWindowTextW(window, c.name == ControlName::Tries
                                 ? widen(c.caption).c_str()
                                 : button_text(c.caption).c_str());
      // What a screen reader says of it follows the caption.
      if (IsWindowVisible(form_)) {
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT,
                       CHILDID_SELF);
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT,
                       CHILDID_SELF);
      }
      return;
    case Change::Colour: return;
  }
}

void WinView::present(const Control& first) {
  if (!shown_) {
    build();
    shown_ = true;
  }
  focus_ = widget(first.name, first.index);
  if (ending_) return;
  // Made centred; centred again at every later show.
  if (!centred_) centre();
  centred_ = false;
  ShowWindow(form_, SW_SHOW);
  SetForegroundWindow(form_);
  SetFocus(focus_);
}

void WinView::close() {
  GetWindowRect(form_, &last_place_);
  had_window_ = true;
  // The handler that unloads may belong to one of this window's buttons,
  // so the window goes away once control is back in the message loop.
  ShowWindow(form_, SW_HIDE);
  retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                [](HWND old) { return !IsWindow(old); }),
                 retired_.end());
  retired_.push_back(form_);
  PostMessageW(form_, win32::retire, 0, 0);
  form_ = nullptr;
  blocks_ = {};
  widgets_.clear();
  focus_ = nullptr;
  shown_ = false;
}

BoxAnswer WinView::ask(const std::string& text, BoxStyle style,
                       const std::string& title) {
  if (ending_) return BoxAnswer::Ok;
  const UINT type = style == BoxStyle::CriticalOkOnly
                        ? MB_OK | MB_ICONHAND
                        : MB_OKCANCEL;
  const int answer = MessageBoxW(form_, widen(text).c_str(),
                                 widen(title).c_str(), type);
  return answer == IDCANCEL ? BoxAnswer::Cancel : BoxAnswer::Ok;
}

void WinView::stop(const std::string& what) {
  std::fprintf(stderr, "tumbra: stopped by a programming error: %s\n",
               what.c_str());
  std::fflush(stderr);
  MessageBoxW(nullptr,
              widen("The game stopped on a programming error:\n" + what).c_str(),
              widen(design::caption).c_str(), MB_OK | MB_ICONHAND);
  ExitProcess(1);
}

}  // namespace tumbra
