// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "app/headless_toolkit.h"

#include "toolkit/program_error.h"

namespace tumbra {

void HeadlessToolkit::show_window() {
  if (table_.loaded()) return;
  table_.load_design();
  created_.clear();
  events_.Form_Load();
}

void HeadlessToolkit::unload_window() { table_.unload(); }

ControlRef HeadlessToolkit::element(ControlName name, std::int16_t index) {
  return table_.element(name, index);
}

void HeadlessToolkit::create_element(ControlName array, std::int16_t index) {
  table_.create(array, index);
  created_.emplace_back(array, index);
}

void HeadlessToolkit::show_control(ControlRef control) {
  table_.at(control).visible = true;
}
bool HeadlessToolkit::visible(ControlRef control) {
  return table_.at(control).visible;
}
void HeadlessToolkit::set_left(ControlRef control, float twips) {
  table_.at(control).left = twips;
}
void HeadlessToolkit::set_top(ControlRef control, float twips) {
  table_.at(control).top = twips;
}
float HeadlessToolkit::left(ControlRef control) {
  return table_.at(control).left;
}
float HeadlessToolkit::top(ControlRef control) {
  return table_.at(control).top;
}

void HeadlessToolkit::set_back_color(ControlRef piece, Colour colour) {
  table_.at(piece).back_color = colour;
}
Colour HeadlessToolkit::back_color(ControlRef piece) {
  return table_.at(piece).back_color;
}

void HeadlessToolkit::set_caption(ControlRef control, const std::string& text) {
  if (control.name == ControlName::Piece) {
    throw ProgramError("a Piece has no caption");
  }
  table_.at(control).caption = text;
}
std::string HeadlessToolkit::caption(ControlRef control) {
  return table_.at(control).caption;
}

BoxAnswer HeadlessToolkit::message_box(const std::string& text, BoxStyle style,
                                       const std::string& title) {
  if (in_box_) throw ProgramError("a message box is already open");
  boxes_.push_back({text, style, title});
  if (!answer_) return BoxAnswer::Ok;
  // While the box is open the window takes no input: an answerer that tries
  // to press or click trips the in_box_ check below.
  in_box_ = true;
  BoxAnswer answer = answer_(boxes_.back());
  in_box_ = false;
  return answer;
}

void HeadlessToolkit::press_turn(std::int16_t index, std::int16_t button) {
  if (in_box_) return;  // a modal box swallows input to the window
  // Any index is delivered, as a toolkit might: the handler decides.
  if (!table_.loaded()) throw ProgramError("no window is loaded");
  events_.Turn_MouseDown(index, button, 0, 0.0f, 0.0f);
}

void HeadlessToolkit::click_reset() {
  if (in_box_) return;
  element(ControlName::Reset, 0);
  events_.Reset_Click();
}

Colour HeadlessToolkit::piece_colour(std::int16_t index) {
  return back_color(element(ControlName::Piece, index));
}

}  // namespace tumbra
