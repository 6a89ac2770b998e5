// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/control_model.h"

#include <exception>

#include "app/form1_design.h"
#include "toolkit/program_error.h"

namespace tumbra {

namespace {

std::size_t slot(ControlName name) { return static_cast<std::size_t>(name); }

}  // namespace

const Control* ControlModel::find(ControlName name, std::int16_t index) const {
  const auto& array = controls_[slot(name)];
  if (!loaded_ || index < 0 ||
      static_cast<std::size_t>(index) >= array.size() ||
      !array[static_cast<std::size_t>(index)]) {
    return nullptr;
  }
  return &*array[static_cast<std::size_t>(index)];
}

void ControlModel::insert(const Control& control) {
  if (control.index < 0) {
    throw ProgramError("control " + describe(control.name, control.index) +
                       ": an index is never below 0");
  }
  auto& array = controls_[slot(control.name)];
  const auto at = static_cast<std::size_t>(control.index);
  if (array.size() <= at) array.resize(at + 1);
  array[at] = control;
  ++live_;
  view().add(*array[at]);
}

View& ControlModel::view() {
  if (view_ == nullptr) throw ProgramError("the window has no view");
  return *view_;
}

Control& ControlModel::at(ControlRef ref) {
  if (!loaded_ || ref.window != serial_) {
    throw ProgramError("control " + describe(ref.name, ref.index) +
                       " belongs to a window that was unloaded");
  }
  const Control* found = find(ref.name, ref.index);
  if (found == nullptr) {
    throw ProgramError("control " + describe(ref.name, ref.index) +
                       " does not exist");
  }
  return const_cast<Control&>(*found);
}

void ControlModel::show_window() {
  if (!loaded_) {
    ++serial_;
    loaded_ = true;
    view().open();
    for (const design::Control& c : design::controls) {
      const Colour colour =
          c.name == ControlName::Tries   ? design::tries_back_color
          : c.name == ControlName::Piece ? design::piece_back_color
                                         : Colour{0};
      insert({c.name, c.index, static_cast<float>(c.left),
              static_cast<float>(c.top), static_cast<float>(c.width),
              static_cast<float>(c.height), c.visible, colour,
              c.caption != nullptr ? c.caption : ""});
    }
    events_.Form_Load();
  }
  const Control* first = nullptr;
  each_in_tab_order([&](const Control& c) {
    if (first == nullptr) first = &c;
  });
  view().present(*first);
}

void ControlModel::unload_window() {
  if (!loaded_) return;
  for (auto& array : controls_) array.clear();
  live_ = 0;
  loaded_ = false;
  view().close();
}

ControlRef ControlModel::element(ControlName name, std::int16_t index) {
  if (find(name, index) == nullptr) {
    throw ProgramError("control " + describe(name, index) + " does not exist");
  }
  return {name, index, serial_};
}

void ControlModel::create_element(ControlName array, std::int16_t index) {
  if (array != ControlName::Piece && array != ControlName::Turn) {
    throw ProgramError(std::string(name_of(array)) + " is not a control array");
  }
  if (!loaded_) throw ProgramError("no window is loaded");
  if (find(array, index) != nullptr) {
    throw ProgramError("control " + describe(array, index) + " already exists");
  }
  Control copy = *find(array, design::control(array).index);
  copy.index = index;
  copy.visible = false;
  insert(copy);
}

void ControlModel::show_control(ControlRef ref) {
  Control& c = at(ref);
  c.visible = true;
  view().change(c, Change::Visible);
}

bool ControlModel::visible(ControlRef ref) { return at(ref).visible; }

void ControlModel::set_left(ControlRef ref, float twips) {
  Control& c = at(ref);
  c.left = twips;
  view().change(c, Change::Place);
}

void ControlModel::set_top(ControlRef ref, float twips) {
  Control& c = at(ref);
  c.top = twips;
  view().change(c, Change::Place);
}

float ControlModel::left(ControlRef ref) { return at(ref).left; }
float ControlModel::top(ControlRef ref) { return at(ref).top; }

void ControlModel::set_back_color(ControlRef ref, Colour colour) {
  if (ref.name != ControlName::Piece) {
    throw ProgramError("only a Piece takes a colour");
  }
  Control& c = at(ref);
  if (c.back_color == colour) return;
  c.back_color = colour;
  view().change(c, Change::Colour);
}

Colour ControlModel::back_color(ControlRef ref) {
  if (ref.name != ControlName::Piece) {
    throw ProgramError("only a Piece has a colour");
  }
  return at(ref).back_color;
}

void ControlModel::set_caption(ControlRef ref, const std::string& text) {
  if (ref.name == ControlName::Piece) {
    throw ProgramError("a Piece has no caption");
  }
  Control& c = at(ref);
  c.caption = text;
  view().change(c, Change::Caption);
}

std::string ControlModel::caption(ControlRef ref) { return at(ref).caption; }

BoxAnswer ControlModel::message_box(const std::string& text, BoxStyle style,
                                    const std::string& title) {
  if (in_box_) throw ProgramError("a message box is already open");
  in_box_ = true;
  struct Closed {
    bool& open;
    ~Closed() { open = false; }
  } closed{in_box_};
  return view().ask(text, style, title);
}

template <class Handler>
void ControlModel::guarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    stopped_ = true;
    view().stop(error.what());
  }
}

template <class Handler>
void ControlModel::dispatch(std::uint32_t serial, Handler&& handler) {
  if (stopped_ || in_box_ || !loaded_ || serial != serial_) return;
  guarded(handler);
}

void ControlModel::turn_mousedown(std::uint32_t serial, std::int16_t index,
                                  std::int16_t button, std::int16_t shift,
                                  float x, float y) {
  dispatch(serial, [&] { events_.Turn_MouseDown(index, button, shift, x, y); });
}

void ControlModel::reset_click(std::uint32_t serial) {
  dispatch(serial, [&] { events_.Reset_Click(); });
}

void ControlModel::start() {
  guarded([this] { show_window(); });
}

}  // namespace tumbra
