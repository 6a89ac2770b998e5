// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/control_table.h"

#include "app/form1_design.h"
#include "toolkit/program_error.h"

namespace tumbra {

namespace {

std::size_t slot(ControlName name) { return static_cast<std::size_t>(name); }

}  // namespace

const ControlTable::Control* ControlTable::find(ControlName name,
                                                std::int16_t index) const {
  const auto& array = controls_[slot(name)];
  if (index < 0 || static_cast<std::size_t>(index) >= array.size() ||
      !array[static_cast<std::size_t>(index)]) {
    return nullptr;
  }
  return &*array[static_cast<std::size_t>(index)];
}

ControlTable::Control& ControlTable::add(ControlName name, std::int16_t index,
                                         const Control& control) {
  if (index < 0) {
    throw ProgramError("control " + describe(name, index) +
                       ": an index is never below 0");
  }
  auto& array = controls_[slot(name)];
  const auto at = static_cast<std::size_t>(index);
  if (array.size() <= at) array.resize(at + 1);
  array[at] = control;
  ++live_;
  return *array[at];
}

void ControlTable::load_design() {
  unload();
  ++serial_;
  loaded_ = true;
  for (const design::Control& c : design::controls) {
    Control s;
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
}

void ControlTable::unload() {
  for (auto& array : controls_) array.clear();
  live_ = 0;
  loaded_ = false;
}

ControlRef ControlTable::element(ControlName name, std::int16_t index) const {
  if (!loaded_ || find(name, index) == nullptr) {
    throw ProgramError("control " + describe(name, index) + " does not exist");
  }
  return {name, index, serial_};
}

ControlTable::Control& ControlTable::create(ControlName array,
                                            std::int16_t index) {
  if (array != ControlName::Piece && array != ControlName::Turn) {
    throw ProgramError(std::string(name_of(array)) + " is not a control array");
  }
  if (!loaded_) throw ProgramError("no window is loaded");
  if (find(array, index) != nullptr) {
    throw ProgramError("control " + describe(array, index) + " already exists");
  }
  Control copy = *find(array, design::control(array).index);
  copy.visible = false;
  return add(array, index, copy);
}

ControlTable::Control& ControlTable::at(ControlRef control) {
  if (!loaded_ || control.window != serial_) {
    throw ProgramError("control " + describe(control.name, control.index) +
                       " belongs to a window that was unloaded");
  }
  const Control* found = find(control.name, control.index);
  if (found == nullptr) {
    throw ProgramError("control " + describe(control.name, control.index) +
                       " does not exist");
  }
  return const_cast<Control&>(*found);
}

}  // namespace tumbra
