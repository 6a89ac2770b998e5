// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/form_window.h"

#include "app/form1_design.h"
#include "app/outline_colour.h"
#include "app/win32/accessible.h"
#include "app/win32/live_region.h"
#include "app/win32/wide.h"
#include "app/win32/win_view.h"
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

std::wstring text_of(const Control& c) {
  return c.name == ControlName::Tries ? widen(c.caption) : button_text(c.caption);
}

}  // namespace

FormWindow::FormWindow(WinView& view, ControlModel& model, Fonts& fonts,
                       HMONITOR monitor)
    : view_(view),
      model_(model),
      fonts_(fonts),
      serial_(model.serial()),
      dpi_(GetDpiForSystem()),
      twips_(Twips::at_dpi(dpi_)),
      outline_(outline_for(GetSysColor(COLOR_BTNFACE))) {
  win32::register_classes();
  // Made at the size the system's DPI gives it; on a monitor of another DPI
  // it takes that monitor's size and is centred again as it shows.
  const RECT place = centred_on(monitor);
  window_ = CreateWindowExW(win32::form_extended_style, win32::form_class,
                            widen(design::caption).c_str(), win32::form_style,
                            place.left, place.top, place.right - place.left,
                            place.bottom - place.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) throw ProgramError("the window could not be made");
  win32::hold(window_, this);
  centred_ = true;
  if (const UINT dpi = GetDpiForWindow(window_); dpi != dpi_) {
    dpi_ = dpi;
    twips_ = Twips::at_dpi(dpi_);
    centred_ = false;
  }
  fit_client();
  if (fonts_.dpi() != dpi_) fonts_ = Fonts(dpi_);
}

FormWindow::~FormWindow() = default;

void FormWindow::build() {
  // The load before placed, captioned and showed the controls in the model
  // alone. They are made in the order of the windows: the controls that
  // take the keyboard in tab order, then the others, then the blocks, which
  // every control overlaps by its outline.
  model_.each_in_tab_order([&](const Control& c) { add_window(c); });
  model_.each_control([&](const Control& c) {
    if (c.name != ControlName::Piece && control(c.name, c.index) == nullptr) {
      add_window(c);
    }
  });
  for (bool goal : {false, true}) {
    blocks_[goal ? 1 : 0] = std::make_unique<BlockWindow>(*this, goal);
  }
  built_ = true;
  // A screen reader that asked before, of an earlier load, hears this one.
  if (screen_readers_listen()) screen_reader_asked();
}

void FormWindow::add_window(const Control& c) {
  const wchar_t* type = nullptr;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (c.visible ? WS_VISIBLE : 0);
  switch (c.name) {
    case ControlName::Turn:
    case ControlName::Reset:
      type = win32::button_class;
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlName::Tries:
      type = win32::label_class;
      style |= SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
      break;
    case ControlName::Piece: return;  // painted by its block
  }
  const PixelRect at = rect_of(c);
  HWND window = CreateWindowExW(
      0, type, text_of(c).c_str(), style, at.x, at.y, at.width, at.height,
      window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(win32::id_of(c.name, c.index))),
      GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) throw ProgramError("a control could not be made");
  SendMessageW(window, WM_SETFONT,
               reinterpret_cast<WPARAM>(fonts_.for_control(c.name)), FALSE);
  controls_[{c.name, c.index}] = window;
}

void FormWindow::add(const Control& c) {
  // Before the window shows, the model alone holds it; after, each new
  // control gets its window at once.
  if (!built_) return;
  if (c.name == ControlName::Piece) {
    if (c.visible) change(c, Change::Visible);
    return;
  }
  add_window(c);
}

void FormWindow::change(const Control& c, Change what) {
  // A load places, colours and captions its controls before its window
  // shows, and the show builds them as they stand.
  if (!built_) return;
  if (c.name == ControlName::Piece) {
    block(lattice::in_goal(c.index))->change(c, what);
    return;
  }
  HWND window = control(c.name, c.index);
  switch (what) {
    case Change::Place: {
      const PixelRect at = rect_of(c);
      SetWindowPos(window, nullptr, at.x, at.y, at.width, at.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    case Change::Visible:
      ShowWindow(window, c.visible ? SW_SHOWNA : SW_HIDE);
      return;
    case Change::Caption: caption_changed(window, c); return;
    case Change::Colour: return;
  }
}

void FormWindow::caption_changed(HWND window, const Control& c) {
  SetWindowTextW(window, text_of(c).c_str());
  // What a screen reader says of it follows the caption; the tries, a live
  // region, it says unasked.
  if (!IsWindowVisible(window_)) return;
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT,
                 CHILDID_SELF);
  if (c.name == ControlName::Tries) {
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, window, OBJID_CLIENT,
                   CHILDID_SELF);
  }
}

void FormWindow::show(const Control& first) {
  if (!built_) build();
  focus_ = control(first.name, first.index);
  if (view_.ending()) return;
  if (!centred_) centre();
  centred_ = false;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(focus_);
}

void FormWindow::retire() {
  ShowWindow(window_, SW_HIDE);
  retired_ = true;
  focus_ = nullptr;
  PostMessageW(window_, win32::retire, 0, 0);
}

HWND FormWindow::control(ControlName name, std::int16_t index) const {
  if (retired_) return nullptr;
  const auto it = controls_.find({name, index});
  return it == controls_.end() ? nullptr : it->second;
}

const Control* FormWindow::control_of(HWND window) const {
  if (retired_) return nullptr;
  for (const auto& [key, shown] : controls_) {
    if (shown == window) return model_.find(key.first, key.second);
  }
  return nullptr;
}

PixelRect FormWindow::rect_of(const Control& c) const {
  return twips_.rect(c.left, c.top, c.width, c.height);
}

void FormWindow::turn_pressed(HWND button, std::int16_t code,
                              std::int16_t shift, POINT at) {
  const auto index = static_cast<std::int16_t>(
      GetDlgCtrlID(button) - win32::id_of(ControlName::Turn, 0));
  model_.turn_mousedown(serial_, index, code, shift,
                        static_cast<float>(twips_.to_twips(at.x)),
                        static_cast<float>(twips_.to_twips(at.y)));
}

void FormWindow::screen_reader_asked() {
  if (live_region_ || retired_) return;
  if (HWND tries = control(ControlName::Tries, 0)) {
    live_region_ = mark_live_region(tries);
  }
}

void FormWindow::settings_changed() {
  // The system's text size: the message font follows it.
  Fonts fresh(dpi_);
  for (const auto& [key, window] : controls_) {
    SendMessageW(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fresh.for_control(key.first)), TRUE);
  }
  fonts_ = std::move(fresh);
}

void FormWindow::remember_focus(bool active) {
  if (!active) {
    HWND focused = GetFocus();
    if (focused != nullptr && IsChild(window_, focused)) focus_ = focused;
  } else if (focus_ != nullptr) {
    SetFocus(focus_);
  }
}

LRESULT FormWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED && LOWORD(wparam) == win32::reset_id) {
        model_.reset_click(serial_);
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lparam) == control(ControlName::Tries, 0)) {
        // Red on green, kept in a high-contrast theme as the circles keep
        // theirs.
        static const HBRUSH green = CreateSolidBrush(design::tries_back_color);
        const HDC dc = reinterpret_cast<HDC>(wparam);
        SetTextColor(dc, design::tries_fore_color);
        SetBkColor(dc, design::tries_back_color);
        return reinterpret_cast<LRESULT>(green);
      }
      break;
    case WM_ACTIVATE:
      if (retired_) break;
      remember_focus(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      // The game's own window or a retired one: either way the player, or
      // Windows, asked the program to end.
      view_.end();
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      if (wparam) view_.end();
      return 0;
    case WM_DPICHANGED:
      if (retired_) break;
      dpi_changed(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_SETTINGCHANGE:
      if (!retired_ && wparam == SPI_SETNONCLIENTMETRICS) settings_changed();
      [[fallthrough]];
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      if (!retired_ && built_) {
        const Colour outline = outline_for(GetSysColor(COLOR_BTNFACE));
        if (outline != outline_) {
          outline_ = outline;
          for (const auto& b : blocks_) b->restyle();
        }
      }
      break;
    case WM_DESTROY:
      if (live_region_) unmark_live_region(controls_.at({ControlName::Tries, 0}));
      break;
    case win32::retire:
      DestroyWindow(window_);  // and this object with it
      return 0;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

}  // namespace tumbra
