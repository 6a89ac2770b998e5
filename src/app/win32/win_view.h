// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Windows window, written straight against the Windows API: a view of
// the control model. Turn and Reset are push buttons, Tries a static
// label, the circles are painted by their block (the play board, the goal
// picture), message boxes are the system's own. A reload from inside one
// of the window's own handlers is safe: the old window is hidden at once
// and destroyed once control is back in the message loop.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/control_model.h"
#include "app/twips.h"
#include "app/view.h"
#include "app/win32/circle_pixels.h"
#include "app/win32/fonts.h"

namespace tumbra {

class WinView final : public View {
 public:
  // Shows `model`, and passes the window's input to it.
  explicit WinView(ControlModel& model);
  ~WinView() override;
  WinView(const WinView&) = delete;
  WinView& operator=(const WinView&) = delete;

  // The window now loaded, or nullptr; a button's or the label's window;
  // the block that paints the play board or, with `goal`, the goal picture.
  HWND window() const { return form_; }
  HWND widget(ControlName name, std::int16_t index) const;
  HWND block(bool goal) const { return blocks_[goal ? 1 : 0]; }
  // Where a control stands in the client area, in pixels.
  PixelRect pixels(ControlName name, std::int16_t index) const;
  UINT dpi() const { return dpi_; }
  const Fonts& fonts() const { return fonts_; }
  // Whether the program was asked to end: by a close, or by the end of
  // the session. No window shows after it.
  bool ending() const { return ending_; }

  void open() override;
  void add(const Control& control) override;
  void change(const Control& control, Change what) override;
  void present(const Control& first) override;
  void close() override;
  BoxAnswer ask(const std::string& text, BoxStyle style,
                const std::string& title) override;
  [[noreturn]] void stop(const std::string& what) override;

  // Handles one message of the loop: Tab, Return and the space bar act on
  // the window's controls as in a dialog.
  void dispatch(MSG& message);

  // What the window procedures and screen readers ask of the view. Each
  // window of the view carries it (of()) until the window is destroyed.
  static WinView* of(HWND window);
  const ControlModel& model() const { return model_; }
  // The button or label that `window` shows, while it is of the load now.
  const Control* control_of(HWND window) const;
  // The circles a block shows, in the order of their indexes; none once
  // the block is of an unloaded window.
  std::vector<const Control*> circles_of(HWND block) const;
  // Where a circle stands in its block, in pixels.
  PixelRect in_block(const Control& circle) const;
  // The circle's pixels as its block paints them.
  const std::vector<std::uint32_t>& circle_image(const Control& circle,
                                                 PixelRect at);

  // The window's input, passed on to the model.
  void turn_pressed(HWND button, std::int16_t code, std::int16_t shift,
                    POINT at);
  void clicked(HWND form, int id);
  // A close request or the end of the session: the program ends.
  void end();
  void dpi_changed(UINT dpi, const RECT& suggested);
  void colours_changed();
  void remember_focus(bool active);
  HBRUSH tries_colours(HDC dc, HWND label) const;

 private:
  // Builds the controls' and blocks' windows as the load first shows.
  void build();
  void add_window(const Control& control);
  void place(HWND window, PixelRect at) const;
  // Where a block stands at the DPI in use: the play board, or the goal.
  PixelRect block_rect(bool goal) const;
  // The font a control is drawn in: the designed one, or the message font.
  HFONT font_for(ControlName name) const;
  RECT centred_on(HMONITOR monitor) const;
  void centre();
  void fit_client();
  void tell_screen_readers(const Control& circle, DWORD event) const;

  ControlModel& model_;
  HWND form_ = nullptr;
  std::array<HWND, 2> blocks_{};
  std::map<std::pair<ControlName, std::int16_t>, HWND> widgets_;
  std::vector<HWND> retired_;
  UINT dpi_ = 96;
  Twips twips_;
  Fonts fonts_;
  HBRUSH tries_brush_;
  Colour outline_ = 0;
  std::vector<std::pair<CircleLook, std::vector<std::uint32_t>>> images_;
  RECT last_place_{};  // where the last window stood, for the next one
  bool had_window_ = false;
  HWND focus_ = nullptr;  // the control that had the keyboard last
  bool shown_ = false;    // the load's window has shown
  bool centred_ = false;  // it stands centred as it was made
  bool ending_ = false;
};

}  // namespace tumbra
