// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The game in one window: the window's code, the control model it acts on,
// and the view that shows the model, wired together. Nothing is shown until
// model.start() or model.show_window().
#pragma once

#include "app/control_model.h"
#include "app/form1.h"

namespace tumbra {

template <class ViewType>
struct GameWindow {
  Form1 form;
  ControlModel model{form};
  ViewType view{model};

  GameWindow() {
    model.attach(view);
    form.attach(model);
  }
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;
};

}  // namespace tumbra
