// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Program start in the browser: the page calls tumbra_start once the
// module is ready, then passes on the window's events. Each call runs to
// completion, waiting inside for any message box it opens.
#include <emscripten.h>

#include <cstdint>

#include "app/form1.h"
#include "app/web/web_toolkit.h"

namespace {

tumbra::Form1 form;
tumbra::WebToolkit window(form);

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tumbra_start() {
  form.attach(window);
  window.start();
}

// The pointer's place on the button in CSS pixels, unscaled.
EMSCRIPTEN_KEEPALIVE void tumbra_turn_mousedown(std::uint32_t serial, int index,
                                                int button, int shift, double x,
                                                double y) {
  window.turn_mousedown(serial, static_cast<std::int16_t>(index),
                        static_cast<std::int16_t>(button),
                        static_cast<std::int16_t>(shift),
                        tumbra::WebToolkit::twips(x),
                        tumbra::WebToolkit::twips(y));
}

EMSCRIPTEN_KEEPALIVE void tumbra_reset_click(std::uint32_t serial) {
  window.reset_click(serial);
}
}
