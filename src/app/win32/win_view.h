// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Windows window, written straight against the Windows API: a view of
// the control model. Each load is a window of its own (form_window.h):
// Turn and Reset are push buttons, Tries a static label, the circles are
// painted by their block (the play board, the goal picture); message boxes
// are the system's own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/control_model.h"
#include "app/twips.h"
#include "app/view.h"
#include "app/win32/fonts.h"

namespace tumbra {

class FormWindow;

class WinView final : public View {
 public:
  // Shows `model`, and passes the window's input to it.
  explicit WinView(ControlModel& model);
  ~WinView() override;
  WinView(const WinView&) = delete;
  WinView& operator=(const WinView&) = delete;

  // The window now loaded, or nullptr; a button's or the label's window;
  // the block that paints the play board or, with `goal`, the goal picture.
  HWND window() const;
  HWND widget(ControlName name, std::int16_t index) const;
  HWND block(bool goal) const;
  // Where a control stands in the client area, in pixels.
  PixelRect pixels(ControlName name, std::int16_t index) const;
  UINT dpi() const;
  // Whether the program was asked to end: by a close, or by the end of
  // the session. No window shows after it.
  bool ending() const { return ending_; }
  // A close request or the end of the session: the program ends.
  void end();

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

 private:
  ControlModel& model_;
  FormWindow* form_ = nullptr;  // the load's; its window owns it
  std::vector<HWND> retired_;   // windows of earlier loads not yet gone
  Fonts fonts_;                 // kept from load to load at one DPI
  RECT last_place_{};           // where the last window stood, for the next
  bool had_window_ = false;
  bool ending_ = false;
};

// Runs the program's message loop until the program is asked to end, and
// returns the exit code it was asked to end with. A loop that fails stops
// the program, named. `get` takes the next message, as GetMessageW does.
int run_message_loop(WinView& view,
                     BOOL(WINAPI* get)(LPMSG, HWND, UINT, UINT) = GetMessageW);

}  // namespace tumbra
