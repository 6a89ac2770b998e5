// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The window's controls exactly as the game last set them, and the rules the
// toolkit promises, in one place for every window: the design builds each
// load, a created element is a hidden copy of its designed element, only a
// Piece takes a colour and none takes a caption, a reference from an
// unloaded window is refused, and no input reaches the game while a box is
// open. The Qt window, the browser's page and the in-memory window are views
// of it: each shows what the model holds and passes the player's input back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace tumbra {

// One control as the game last set it.
struct Control {
  ControlName name;
  std::int16_t index;
  float left, top, width, height;  // twips
  bool visible;
  Colour back_color;  // what a Piece shows; Tries keeps its designed green
  std::string caption;
};

enum class Change : std::uint8_t { Place, Visible, Colour, Caption };

// A window that shows the model. It is told of every change and makes no
// decision of its own.
class WindowView {
 public:
  virtual ~WindowView() = default;
  // A new load: an empty window that the controls are added to.
  virtual void open_window() = 0;
  virtual void add(const Control& control) = 0;
  virtual void change(const Control& control, Change what) = 0;
  // Shows the loaded window centred, its controls in `tab_order` (never
  // empty) and the focus on the first of them.
  virtual void present(const std::vector<const Control*>& tab_order) = 0;
  // The window and every control in it go away.
  virtual void close_window() = 0;
  // A modal box; returns once the player has closed it.
  virtual BoxAnswer ask(const std::string& text, BoxStyle style,
                        const std::string& title) = 0;
  // A programming error in a handler. The view reports it; the model
  // passes no input to the game after it.
  virtual void stop(const std::string& what) = 0;
};

class ControlModel : public Toolkit {
 public:
  ControlModel(FormEvents& events, WindowView& view)
      : events_(events), view_(view) {}

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
  // The circles of the loaded window, in the order of their indexes.
  std::vector<const Control*> pieces() const;
  // The controls that take the keyboard, in the order Tab visits them: as
  // the design orders them, each created element after the one before it.
  std::vector<const Control*> tab_order() const;

 private:
  Control& at(ControlRef ref);
  Control& add(const Control& control);
  void changed(const Control& control, Change what);
  template <class Handler>
  void dispatch(std::uint32_t serial, Handler&& handler);

  FormEvents& events_;
  WindowView& view_;
  // By name, then by index: a turn reads and writes dozens of circles.
  std::array<std::vector<std::optional<Control>>, 4> controls_;
  std::size_t live_ = 0;
  std::uint32_t serial_ = 0;  // of the load now, or of the last one
  bool loaded_ = false;
  bool in_box_ = false;
  bool stopped_ = false;
};

}  // namespace tumbra
