// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The real window, in Qt 6 Widgets: the circles are painted by their block
// (the play board, the goal picture), Turn and Reset are push buttons, Tries
// a label, message boxes QMessageBox. A reload
// from inside one of the window's own handlers is safe: the old window is
// hidden at once and deleted when control returns to the event loop.
#pragma once

#include <QPointer>
#include <cstdint>
#include <map>
#include <utility>

#include "app/qt/twips.h"
#include "toolkit/toolkit.h"

class QScreen;
class QWidget;

namespace tumbra {

class BlockWidget;
class FormWindow;

class QtToolkit : public Toolkit {
 public:
  explicit QtToolkit(FormEvents& events);
  ~QtToolkit() override;

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

  // The window now loaded, or nullptr; and the widget of one control
  // (nullptr for a circle, which its block paints).
  QWidget* window() const;
  QWidget* widget(ControlName name, std::int16_t index) const;
  // Where a control stands in the window, in pixels; and the block that
  // paints a circle.
  QRect pixels(ControlName name, std::int16_t index) const;
  BlockWidget* block(ControlName name, std::int16_t index) const;

 private:
  struct Control {
    QWidget* widget = nullptr;     // a button or the label
    BlockWidget* block = nullptr;  // for a circle: the block that paints it
    float left = 0, top = 0;       // twips, exactly as last set
    int width = 0, height = 0;
  };
  using Key = std::pair<ControlName, std::int16_t>;

  void build_design();
  BlockWidget* make_block(const char* name, const char* description,
                          int left_twips);
  BlockWidget* block_for(std::int16_t piece) const;
  QWidget* make_control(ControlName name, std::int16_t index);
  Control& control(ControlRef ref);
  BlockWidget& circle_block(ControlRef ref);
  void place(std::int16_t index, Control& c);
  // Centres the whole window, frame included, on its screen's available
  // area; the frame's size is the last one the window manager reported.
  void centre_on_screen();
  void follow_frame();
  // Runs one of the window's event handlers; a programming error stops the
  // program with its message.
  template <class Handler>
  void dispatch(Handler&& handler);

  FormEvents& events_;
  QPointer<FormWindow> window_;
  // The play board and the goal picture: plain groups that hold their
  // circles, so that assistive technology meets them as two blocks.
  BlockWidget* board_ = nullptr;
  BlockWidget* goal_ = nullptr;
  std::map<Key, Control> controls_;
  Twips twips_;
  QPointer<QScreen> screen_;  // the screen the window last stood on
  QMargins frame_margins_;    // the window manager's frame, once known
  QMargins seen_margins_;     // the frame of the window now shown, as seen
  std::uint32_t serial_ = 0;
};

// Settings of the whole application: only the player's close ends it, and
// it carries the desktop id and the window icon of its desktop entry.
void configure_application();

// Reports a programming error on stderr and, where a screen can show it, in a
// critical message box, then ends the program with status 1.
[[noreturn]] void stop_program(const char* what);

}  // namespace tumbra
