// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The controls of one loaded window as plain records, exactly as the game
// last set them: what the in-memory window is, and what the browser's
// window keeps beside its page so that every value reads back as it was
// set. It carries out the rules every layer shares: the design builds a
// load, a created element copies its designed element and starts hidden,
// and a reference from an unloaded window, or to a control that does not
// exist, is a programming error.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace tumbra {

class ControlTable {
 public:
  struct Control {
    float left = 0, top = 0, width = 0, height = 0;  // twips
    bool visible = false;
    Colour back_color = 0;
    std::string caption;
  };

  // Builds the designed controls of a new load; references of every
  // earlier load go stale.
  void load_design();
  // The window goes: every control and every reference to one.
  void unload();

  bool loaded() const { return loaded_; }
  std::uint32_t serial() const { return serial_; }
  std::size_t live() const { return live_; }

  ControlRef element(ControlName name, std::int16_t index) const;
  // Creates element `index` of a control array as a hidden copy of the
  // array's designed element, and returns it.
  Control& create(ControlName array, std::int16_t index);
  // The control a reference names, in the window loaded now.
  Control& at(ControlRef control);

 private:
  const Control* find(ControlName name, std::int16_t index) const;
  Control& add(ControlName name, std::int16_t index, const Control& control);

  // By name, then by index: a turn reads and writes dozens of circles, so
  // lookups are direct.
  std::array<std::vector<std::optional<Control>>, 4> controls_;
  std::size_t live_ = 0;
  std::uint32_t serial_ = 0;  // of the load now, or of the last one
  bool loaded_ = false;
};

}  // namespace tumbra
