// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The in-memory window, for the tests and the benchmarks: the control model
// with nothing to draw. Input is injected by press_turn() and click_reset(),
// and message boxes are recorded and answered by a function the test
// chooses. It runs the game exactly as the real windows do, without a
// display.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/control_model.h"

namespace tumbra {

struct MessageBoxRecord {
  std::string text;
  BoxStyle style;
  std::string title;
};

class HeadlessWindow : public ControlModel {
 public:
  explicit HeadlessWindow(FormEvents& events) : ControlModel(events) {}

  // Player input, each run to completion as the event loop would; both
  // need a loaded window. A programming error comes out as ProgramError.
  void press_turn(std::int16_t index, std::int16_t button);
  void click_reset();

  // Chooses the answer to every later message box (OK by default).
  void answer_boxes_with(std::function<BoxAnswer(const MessageBoxRecord&)> f) {
    answer_ = std::move(f);
  }

  std::size_t live_controls() const { return live(); }
  const std::vector<MessageBoxRecord>& boxes() const { return boxes_; }
  // Every element created by the current load, in order.
  const std::vector<std::pair<ControlName, std::int16_t>>& created() const {
    return created_;
  }
  Colour piece_colour(std::int16_t index);

 private:
  void open_window() override { created_.clear(); }
  void add(const Control& control) override;
  void change(const Control&, Change) override {}
  void present(const Control&) override {}
  void close_window() override {}
  BoxAnswer ask(const std::string& text, BoxStyle style,
                const std::string& title) override;
  [[noreturn]] void stop(const std::string& what) override;

  std::vector<std::pair<ControlName, std::int16_t>> created_;
  std::vector<MessageBoxRecord> boxes_;
  std::function<BoxAnswer(const MessageBoxRecord&)> answer_;
};

}  // namespace tumbra
