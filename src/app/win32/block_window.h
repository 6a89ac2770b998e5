// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A block of circles, the play board or the goal picture, as one window.
// Circles never take input or the keyboard, so they need no window of their
// own: the block paints the circles the control model holds for it, every
// one over the window's background, composed off screen so that a repaint
// never flickers, each from pixels it rasterised once for its size and
// colours. Screen readers meet the circles as the block's children, and
// hear from the block of each change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "app/control.h"
#include "app/twips.h"
#include "app/win32/circle_pixels.h"

namespace tumbra {

class FormWindow;

class BlockWindow {
 public:
  // Makes the block's window in `form`, where the form's DPI places it.
  // Throws ProgramError when Windows refuses it.
  BlockWindow(FormWindow& form, bool goal);
  BlockWindow(const BlockWindow&) = delete;
  BlockWindow& operator=(const BlockWindow&) = delete;

  HWND handle() const { return window_; }
  bool goal() const { return goal_; }
  // The circles it shows, in the order of their indexes; none once its
  // form is retired.
  std::vector<const Control*> circles() const;
  // Where a circle stands in the block, in pixels.
  PixelRect in_block(const Control& circle) const;

  // Laid out afresh at the form's DPI, or in new system colours.
  void place();
  void restyle();
  // A circle of the block changed.
  void change(const Control& circle, Change what);
  void paint();

 private:
  const std::vector<std::uint32_t>& image(const Control& circle, PixelRect at);
  void tell_screen_readers(const Control& circle, DWORD event) const;

  FormWindow& form_;
  const bool goal_;
  HWND window_ = nullptr;
  // A handful of colours in play, at one size.
  std::vector<std::pair<CircleLook, std::vector<std::uint32_t>>> images_;
};

}  // namespace tumbra
