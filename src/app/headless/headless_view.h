// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The in-memory window, for the tests and the benchmarks: a view with
// nothing to draw. Input is injected by press_turn() and click_reset(), and
// every message box gets the answer set last. It runs the game exactly as
// the real windows do, without a display.
#pragma once

#include <cstdint>
#include <string>

#include "app/control_model.h"
#include "app/view.h"

namespace tumbra {

class HeadlessView final : public View {
 public:
  explicit HeadlessView(ControlModel& model) : model_(model) {}

  // Player input, each run to completion as the event loop would; both
  // need a loaded window. A programming error comes out as ProgramError.
  void press_turn(std::int16_t index, std::int16_t button);
  void click_reset();

  // What every later message box answers.
  BoxAnswer answer = BoxAnswer::Ok;

  void open() override {}
  void add(const Control&) override {}
  void change(const Control&, Change) override {}
  void present(const Control&) override {}
  void close() override {}
  BoxAnswer ask(const std::string&, BoxStyle, const std::string&) override {
    return answer;
  }
  [[noreturn]] void stop(const std::string& what) override;

 private:
  ControlModel& model_;
};

}  // namespace tumbra
