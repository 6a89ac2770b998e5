// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/headless/headless_view.h"

#include "toolkit/program_error.h"

namespace tumbra {

void HeadlessView::stop(const std::string& what) { throw ProgramError(what); }

void HeadlessView::press_turn(std::int16_t index, std::int16_t button) {
  if (!model_.loaded()) throw ProgramError("no window is loaded");
  model_.turn_mousedown(model_.serial(), index, button, 0, 0.0f, 0.0f);
}

void HeadlessView::click_reset() {
  model_.element(ControlName::Reset, 0);
  model_.reset_click(model_.serial());
}

}  // namespace tumbra
