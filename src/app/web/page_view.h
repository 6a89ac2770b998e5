// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's window: a view of the control model on the page, each
// control an element of it. Every change is carried to the page as the
// control now stands, its spoken name and description with it.
#pragma once

#include "app/control_model.h"
#include "app/view.h"

namespace tumbra {

class PageView final : public View {
 public:
  // Shows `model`; the page passes its input to the model directly.
  explicit PageView(const ControlModel& model) : model_(model) {}

  // A distance on the page, in CSS pixels, in twips.
  static float twips(double pixels);
  // The game's code of a mouse button as the page numbers it (0 left,
  // 1 middle, 2 right, 3 back, 4 forward); 0 for a button it has none for.
  static std::int16_t button_code(int page_button);

  void open() override;
  void add(const Control& control) override { tell(control, -1); }
  void change(const Control& control, Change what) override {
    tell(control, static_cast<int>(what));
  }
  void present(const Control& first) override;
  void close() override;
  BoxAnswer ask(const std::string& text, BoxStyle style,
                const std::string& title) override;
  void stop(const std::string& what) override;

 private:
  // Tells the page what changed of a control (-1: all of it, being new;
  // -2: only what a screen reader says of it).
  void tell(const Control& control, int what);

  const ControlModel& model_;
  // Names wait until the window shows: a load places and colours every
  // circle, and naming each at every step would slow the first paint.
  bool shown_ = false;
};

}  // namespace tumbra
