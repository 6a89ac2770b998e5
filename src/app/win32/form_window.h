// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// One load's window: the top-level form with its buttons, its label and
// its two blocks, laid out at the DPI of the monitor it stands on. It
// carries itself on its window, answers the form's messages, and passes
// the player's input to the model with the load it was made for. Once
// unloaded it is retired: hidden at once, it shows and passes on nothing
// more, and it is deleted with its window once the message loop has it
// again, since the handler that unloads may be one of its own buttons'.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "app/control_model.h"
#include "app/twips.h"
#include "app/win32/block_window.h"
#include "app/win32/fonts.h"

namespace tumbra {

class WinView;

class FormWindow {
 public:
  // Makes the window for the model's load, unshown, centred on `monitor`
  // at its DPI, in the view's `fonts`. Throws ProgramError when Windows
  // refuses it.
  FormWindow(WinView& view, ControlModel& model, Fonts& fonts,
             HMONITOR monitor);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND handle() const { return window_; }
  UINT dpi() const { return dpi_; }
  const Twips& twips() const { return twips_; }
  Colour outline() const { return outline_; }
  const ControlModel& model() const { return model_; }
  WinView& view() const { return view_; }
  bool retired() const { return retired_; }

  // The controls' and blocks' windows, made as the load first shows, each
  // complete; later controls get theirs as they are added.
  void build();
  void add(const Control& control);
  void change(const Control& control, Change what);
  // Shows the window, the keyboard on `first`: made centred, and centred
  // again at every later show.
  void show(const Control& first);
  void retire();

  // A button's or the label's window, and the control it shows; nullptr
  // for none, and once retired.
  HWND control(ControlName name, std::int16_t index) const;
  const Control* control_of(HWND window) const;
  BlockWindow* block(bool goal) const { return blocks_[goal ? 1 : 0].get(); }
  // Where a control stands in the client area, in pixels.
  PixelRect rect_of(const Control& control) const;

  // The form's messages, and the input its controls pass on.
  LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
  void turn_pressed(HWND button, std::int16_t code, std::int16_t shift,
                    POINT at);
  // A screen reader asked for one of the window's objects: from now on the
  // label is a live region, heard whenever the tries change.
  void screen_reader_asked();

 private:
  void add_window(const Control& control);
  void caption_changed(HWND window, const Control& control);
  HFONT font_for(ControlName name) const;
  RECT centred_on(HMONITOR monitor) const;
  void centre();
  void fit_client();
  void dpi_changed(UINT dpi, const RECT& suggested);
  void settings_changed();
  void remember_focus(bool active);

  WinView& view_;
  ControlModel& model_;
  Fonts& fonts_;
  const std::uint32_t serial_;
  HWND window_ = nullptr;
  UINT dpi_;
  Twips twips_;
  Colour outline_;
  std::map<std::pair<ControlName, std::int16_t>, HWND> controls_;
  std::array<std::unique_ptr<BlockWindow>, 2> blocks_;
  HWND focus_ = nullptr;  // the control that had the keyboard last
  bool built_ = false;
  bool centred_ = false;  // it stands centred as it was made
  bool retired_ = false;
  bool live_region_ = false;  // the label is announced as one
};

}  // namespace tumbra
