// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Program start in the browser: the page calls tumbra_start once the
// module is ready, then passes on the window's events. Each call runs to
// completion, waiting inside for any message box it opens.
#include <emscripten.h>

#include <cstdint>

#include "app/game_window.h"
#include "app/web/page_view.h"

namespace {

tumbra::GameWindow<tumbra::PageView> game;
tumbra::ControlModel& model = game.model;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tumbra_start() { model.start(); }

// The mouse button as the page numbers it, and the pointer's place on the
// button in CSS pixels, unscaled.
EMSCRIPTEN_KEEPALIVE void tumbra_turn_mousedown(std::uint32_t serial, int index,
                                                int button, int shift, double x,
                                                double y) {
  model.turn_mousedown(serial, static_cast<std::int16_t>(index),
                       tumbra::PageView::button_code(button),
                       static_cast<std::int16_t>(shift),
                       tumbra::PageView::twips(x), tumbra::PageView::twips(y));
}

EMSCRIPTEN_KEEPALIVE void tumbra_reset_click(std::uint32_t serial) {
  model.reset_click(serial);
}
}
