// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/win_view.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/form1_design.h"
#include "app/win32/form_window.h"
#include "app/win32/wide.h"

namespace tumbra {

WinView::WinView(ControlModel& model) : model_(model) {
  // The buttons of common controls 6, which the manifest asks for.
  static const bool controls = [] {
    INITCOMMONCONTROLSEX wanted{sizeof wanted, ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&wanted) != FALSE;
  }();
  (void)controls;
}

WinView::~WinView() {
  for (HWND old : retired_) {
    if (IsWindow(old)) DestroyWindow(old);
  }
  if (form_ != nullptr) DestroyWindow(form_->handle());
}

HWND WinView::window() const { return form_ ? form_->handle() : nullptr; }

HWND WinView::widget(ControlName name, std::int16_t index) const {
  return form_ ? form_->control(name, index) : nullptr;
}

HWND WinView::block(bool goal) const {
  return form_ && form_->block(goal) ? form_->block(goal)->handle() : nullptr;
}

PixelRect WinView::pixels(ControlName name, std::int16_t index) const {
  const Control* c = model_.find(name, index);
  if (c == nullptr || form_ == nullptr) return {};
  return form_->rect_of(*c);
}

UINT WinView::dpi() const { return form_ ? form_->dpi() : 0; }

void WinView::end() {
  if (ending_) return;
  ending_ = true;
  // Ends the message loop, and first any box's own loop, which passes the
  // request on once it has closed the box.
  PostQuitMessage(0);
}

void WinView::open() {
  // The window opens centred on the monitor the last one stood on.
  const HMONITOR monitor =
      had_window_ ? MonitorFromRect(&last_place_, MONITOR_DEFAULTTONEAREST)
                  : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  form_ = new FormWindow(*this, model_, fonts_, monitor);
}

void WinView::add(const Control& control) { form_->add(control); }

void WinView::change(const Control& control, Change what) {
  form_->change(control, what);
}

void WinView::present(const Control& first) { form_->show(first); }

void WinView::close() {
  GetWindowRect(form_->handle(), &last_place_);
  had_window_ = true;
  retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                [](HWND old) { return !IsWindow(old); }),
                 retired_.end());
  retired_.push_back(form_->handle());
  form_->retire();
  form_ = nullptr;
}

BoxAnswer WinView::ask(const std::string& text, BoxStyle style,
                       const std::string& title) {
  if (ending_) return BoxAnswer::Ok;
  const UINT type = style == BoxStyle::CriticalOkOnly
                        ? MB_OK | MB_ICONHAND
                        : MB_OKCANCEL;
  const int answer = MessageBoxW(window(), widen(text).c_str(),
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

void WinView::dispatch(MSG& message) {
  if (form_ != nullptr && IsDialogMessageW(form_->handle(), &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int run_message_loop(WinView& view, BOOL(WINAPI* get)(LPMSG, HWND, UINT, UINT)) {
  MSG message;
  for (;;) {
    const BOOL got = get(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) {
      view.stop("the message loop failed (error " +
                std::to_string(GetLastError()) + ")");
    }
    view.dispatch(message);
  }
}

}  // namespace tumbra
