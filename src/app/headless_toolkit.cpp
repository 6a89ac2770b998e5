// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "app/headless_toolkit.h"

#include "app/form1_design.h"
#include "toolkit/program_error.h"

namespace tumbra {

namespace {

std::size_t slot(ControlName name) { return static_cast<std::size_t>(name); }

}  // namespace

HeadlessToolkit::ControlState* HeadlessToolkit::find(ControlName name,
                                                     std::int16_t index) {
  auto& array = controls_[slot(name)];
  if (index < 0 || static_cast<std::size_t>(index) >= array.size() ||
      !array[static_cast<std::size_t>(index)]) {
    return nullptr;
  }
  return &*array[static_cast<std::size_t>(index)];
}

void HeadlessToolkit::add(ControlName name, std::int16_t index,
                          const ControlState& state) {
  if (index < 0) {
    throw ProgramError("control " + describe(name, index) +
                       ": an index is never below 0");
  }
  auto& array = controls_[slot(name)];
  const auto at = static_cast<std::size_t>(index);
  if (array.size() <= at) array.resize(at + 1);
  array[at] = state;
  ++live_;
}

void HeadlessToolkit::show_window() {
  if (!loaded_) {
    ++window_;
    loaded_ = true;
    created_.clear();
    for (const design::Control& c : design::controls) {
      ControlState s;
      s.left = static_cast<float>(c.left);
      s.top = static_cast<float>(c.top);
      s.width = static_cast<float>(c.width);
      s.height = static_cast<float>(c.height);
      s.visible = c.visible;
      if (c.caption != nullptr) s.caption = c.caption;
      if (c.name == ControlName::Tries) s.back_color = design::tries_back_color;
      if (c.name == ControlName::Piece) s.back_color = design::piece_back_color;
      add(c.name, c.index, s);
    }
    events_.Form_Load();
  }
}

void HeadlessToolkit::unload_window() {
  for (auto& array : controls_) array.clear();
  live_ = 0;
  loaded_ = false;
}

ControlRef HeadlessToolkit::element(ControlName name, std::int16_t index) {
  if (!loaded_ || find(name, index) == nullptr) {
    throw ProgramError("control " + describe(name, index) + " does not exist");
  }
  return {name, index, window_};
}

void HeadlessToolkit::create_element(ControlName array, std::int16_t index) {
  if (array != ControlName::Piece && array != ControlName::Turn) {
    throw ProgramError(std::string(name_of(array)) + " is not a control array");
  }
  if (!loaded_) throw ProgramError("no window is loaded");
  if (find(array, index) != nullptr) {
    throw ProgramError("control " + describe(array, index) + " already exists");
  }
  ControlState copy = *find(array, design::control(array).index);
  copy.visible = false;
  add(array, index, copy);
  created_.emplace_back(array, index);
}

HeadlessToolkit::ControlState& HeadlessToolkit::state(ControlRef control) {
  if (!loaded_ || control.window != window_) {
    throw ProgramError("control " + describe(control.name, control.index) +
                       " belongs to a window that was unloaded");
  }
  ControlState* found = find(control.name, control.index);
  if (found == nullptr) {
    throw ProgramError("control " + describe(control.name, control.index) +
                       " does not exist");
  }
  return *found;
}

void HeadlessToolkit::show_control(ControlRef control) {
  state(control).visible = true;
}
bool HeadlessToolkit::visible(ControlRef control) {
  return state(control).visible;
}
void HeadlessToolkit::set_left(ControlRef control, float twips) {
  state(control).left = twips;
}
void HeadlessToolkit::set_top(ControlRef control, float twips) {
  state(control).top = twips;
}
float HeadlessToolkit::left(ControlRef control) { return state(control).left; }
float HeadlessToolkit::top(ControlRef control) { return state(control).top; }

void HeadlessToolkit::set_back_color(ControlRef piece, Colour colour) {
  state(piece).back_color = colour;
}
Colour HeadlessToolkit::back_color(ControlRef piece) {
  return state(piece).back_color;
}

void HeadlessToolkit::set_caption(ControlRef control, const std::string& text) {
  if (control.name == ControlName::Piece) {
    throw ProgramError("a Piece has no caption");
  }
  state(control).caption = text;
}
std::string HeadlessToolkit::caption(ControlRef control) {
  return state(control).caption;
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
  if (!loaded_) throw ProgramError("no window is loaded");
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
