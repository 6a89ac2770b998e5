// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The in-memory window: the controls are plain records, events are injected
// by calling press_turn() and click_reset(), and message boxes are recorded
// and answered by a function the test chooses. It runs the game exactly as
// the Qt window does, without a display.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/control_table.h"
#include "toolkit/toolkit.h"

namespace tumbra {

struct MessageBoxRecord {
  std::string text;
  BoxStyle style;
  std::string title;
};

class HeadlessToolkit final : public Toolkit {
 public:
  explicit HeadlessToolkit(FormEvents& events) : events_(events) {}

  void show_window() override;
  void unload_window() override;
  ControlRef element(ControlName name, std::int16_t index) override;
  void create_element(ControlName array, std::int16_t index) override;
  void show_control(ControlRef control) override;
  bool visible(ControlRef control) override;
  void set_left(ControlRef control, float twips) override;
  void set_top(ControlRef control, float twips) override;
  float left(ControlRef control) override;
  float top(ControlRef control) override;
  void set_back_color(ControlRef piece, Colour colour) override;
  Colour back_color(ControlRef piece) override;
  void set_caption(ControlRef control, const std::string& text) override;
  std::string caption(ControlRef control) override;
  BoxAnswer message_box(const std::string& text, BoxStyle style,
                        const std::string& title) override;

  // Player input. Each runs the handler to completion, as the event loop
  // would. Both need a loaded window.
  void press_turn(std::int16_t index, std::int16_t button);
  void click_reset();

  // Chooses the answer to every later message box (OK by default).
  void answer_boxes_with(std::function<BoxAnswer(const MessageBoxRecord&)> f) {
    answer_ = std::move(f);
  }

  bool loaded() const { return table_.loaded(); }
  std::size_t live_controls() const { return table_.live(); }
  const std::vector<MessageBoxRecord>& boxes() const { return boxes_; }
  // Every create_element call of the current load, in order.
  const std::vector<std::pair<ControlName, std::int16_t>>& created() const {
    return created_;
  }

  // Shorthand for tests: a Piece's colour.
  Colour piece_colour(std::int16_t index);

 private:
  FormEvents& events_;
  ControlTable table_;
  std::vector<std::pair<ControlName, std::int16_t>> created_;
  std::vector<MessageBoxRecord> boxes_;
  std::function<BoxAnswer(const MessageBoxRecord&)> answer_;
  bool in_box_ = false;
};

}  // namespace tumbra
