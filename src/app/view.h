// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What a window does to show the control model: the Qt window, the browser's
// page and the in-memory window each implement it. The model calls it on
// the event thread, tells it of every change as the control stands after
// it, and keeps every rule itself: a view decides nothing of its own and
// passes the player's input back to the model.
#pragma once

#include <string>

#include "app/control.h"
#include "toolkit/toolkit.h"

namespace tumbra {

class View {
 public:
  virtual ~View() = default;

  // A new load: an empty window, not yet shown, that the controls are
  // added to.
  virtual void open() = 0;
  // A control of the open window, the designed ones first, then each
  // element as it is created.
  virtual void add(const Control& control) = 0;
  // `what` of an added control changed; `control` is as it stands now.
  virtual void change(const Control& control, Change what) = 0;
  // Shows the open window centred, the keyboard on `first`, the first
  // control of the tab order. Called again when the window is shown again.
  virtual void present(const Control& first) = 0;
  // The open window and every control in it go away. May be called from
  // inside a handler of one of the window's own controls.
  virtual void close() = 0;
  // A modal box over the window; returns once the player has closed it.
  virtual BoxAnswer ask(const std::string& text, BoxStyle style,
                        const std::string& title) = 0;
  // A programming error in a handler: the view reports it. The model passes
  // no input to the game after it.
  virtual void stop(const std::string& what) = 0;
};

}  // namespace tumbra
