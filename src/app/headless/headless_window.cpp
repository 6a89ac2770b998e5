// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/headless/headless_window.h"

#include "app/form1_design.h"
#include "toolkit/program_error.h"

namespace tumbra {

void HeadlessWindow::add(const Control& control) {
  if (control.index != design::control(control.name).index) {
    created_.emplace_back(control.name, control.index);
  }
}

BoxAnswer HeadlessWindow::ask(const std::string& text, BoxStyle style,
                              const std::string& title) {
  boxes_.push_back({text, style, title});
  return answer_ ? answer_(boxes_.back()) : BoxAnswer::Ok;
}

void HeadlessWindow::stop(const std::string& what) { throw ProgramError(what); }

void HeadlessWindow::press_turn(std::int16_t index, std::int16_t button) {
  if (!loaded()) throw ProgramError("no window is loaded");
  turn_mousedown(serial(), index, button, 0, 0.0f, 0.0f);
}

void HeadlessWindow::click_reset() {
  element(ControlName::Reset, 0);
  reset_click(serial());
}

Colour HeadlessWindow::piece_colour(std::int16_t index) {
  return back_color(element(ControlName::Piece, index));
}

}  // namespace tumbra
