// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's window: the controls are elements of the page, at their
// places in twips on a box of 417 by 161 CSS pixels. The game's values are
// kept beside the page in a control table, so that every value reads back
// exactly as it was set; each change is then carried to the page.
#pragma once

#include <cstdint>

#include "app/control_table.h"
#include "toolkit/toolkit.h"

namespace tumbra {

class WebToolkit final : public Toolkit {
 public:
  explicit WebToolkit(FormEvents& events) : events_(events) {}

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

  // The page's events, for the window of load `serial`: a press or click on
  // a window already retired, or after a programming error, is dropped.
  void turn_mousedown(std::uint32_t serial, std::int16_t index,
                      std::int16_t button, std::int16_t shift, float x,
                      float y);
  void reset_click(std::uint32_t serial);
  // Runs the first show; a programming error in it stops the game.
  void start();

 private:
  void add_to_page(ControlName name, std::int16_t index,
                   const ControlTable::Control& c);
  template <class Handler>
  void dispatch(Handler&& handler);

  FormEvents& events_;
  ControlTable table_;
  bool stopped_ = false;
};

}  // namespace tumbra
