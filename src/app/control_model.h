// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The window's controls exactly as the game last set them, and the rules the
// toolkit promises, in one place for every window: the design builds each
// load, a created element is a hidden copy of its designed element, only a
// Piece takes a colour and none takes a caption, a reference from an
// unloaded window is refused, and no input reaches the game while a box is
// open. It is given a view (app/view.h): the Qt window, the browser's page
// or the in-memory window, which shows what the model holds and passes the
// player's input back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/control.h"
#include "app/form1_design.h"
#include "app/view.h"
#include "toolkit/toolkit.h"

namespace tumbra {

class ControlModel final : public Toolkit {
 public:
  explicit ControlModel(FormEvents& events) : events_(events) {}

  // The view that shows the window; given once, before the first show, and
  // outliving the model's use of it.
  void attach(View& view) { view_ = &view; }

  void show_window() final;
  void unload_window() final;
  ControlRef element(ControlName name, std::int16_t index) final;
  void create_element(ControlName array, std::int16_t index) final;
  void show_control(ControlRef control) final;
  bool visible(ControlRef control) final;
  void set_left(ControlRef control, float twips) final;
  void set_top(ControlRef control, float twips) final;
  float left(ControlRef control) final;
  float top(ControlRef control) final;
  void set_back_color(ControlRef piece, Colour colour) final;
  Colour back_color(ControlRef piece) final;
  void set_caption(ControlRef control, const std::string& text) final;
  std::string caption(ControlRef control) final;
  BoxAnswer message_box(const std::string& text, BoxStyle style,
                        const std::string& title) final;

  // The player's input, from the window of load `serial`: dropped when that
  // window is gone, while a box is open, or once the game has stopped.
  void turn_mousedown(std::uint32_t serial, std::int16_t index,
                      std::int16_t button, std::int16_t shift, float x,
                      float y);
  void reset_click(std::uint32_t serial);
  // The first show; a programming error in it stops the game.
  void start();

  bool loaded() const { return loaded_; }
  std::uint32_t serial() const { return serial_; }
  std::size_t live() const { return live_; }
  // The control as it stands in the loaded window, or nullptr.
  const Control* find(ControlName name, std::int16_t index) const;
  // Visits every control of the loaded window.
  template <class Visit>
  void each_control(Visit&& visit) const {
    for (const auto& array : controls_) {
      for (const auto& c : array) {
        if (c) visit(*c);
      }
    }
  }
  // Visits the controls that take the keyboard, in the order Tab visits
  // them: the designed ones by their tab index, each followed by the
  // elements created from it.
  template <class Visit>
  void each_in_tab_order(Visit&& visit) const {
    for (int tab = 0; tab < static_cast<int>(design::controls.size()); ++tab) {
      for (const design::Control& d : design::controls) {
        if (d.tab_index != tab || !takes_focus(d.name)) continue;
        for (const auto& c : controls_[static_cast<std::size_t>(d.name)]) {
          if (c) visit(*c);
        }
      }
    }
  }

 private:
  // Command buttons take the keyboard; a label and a shape never do.
  static constexpr bool takes_focus(ControlName name) {
    return name == ControlName::Turn || name == ControlName::Reset;
  }
  Control& at(ControlRef ref);
  void insert(const Control& control);
  // Runs a handler; a programming error in it stops the game.
  template <class Handler>
  void guarded(Handler&& handler);
  template <class Handler>
  void dispatch(std::uint32_t serial, Handler&& handler);

  View& view();

  FormEvents& events_;
  View* view_ = nullptr;
  // By name, then by index: a turn reads and writes dozens of circles.
  std::array<std::vector<std::optional<Control>>, 4> controls_;
  std::size_t live_ = 0;
  std::uint32_t serial_ = 0;  // of the load now, or of the last one
  bool loaded_ = false;
  bool in_box_ = false;
  bool stopped_ = false;
};

}  // namespace tumbra
