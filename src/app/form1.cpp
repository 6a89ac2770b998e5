// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "app/form1.h"

#include "board/loadshapes.h"
#include "levels/leveldef.h"
#include "levels/loadlevel.h"
#include "levels/setvariables.h"
#include "play/reset_click.h"
#include "play/turn_mousedown.h"
#include "toolkit/program_error.h"

namespace tumbra {

Toolkit& Form1::toolkit() {
  if (toolkit_ == nullptr) throw ProgramError("Form1 has no toolkit");
  return *toolkit_;
}

void Form1::Form_Load() {
  loadshapes(toolkit());
  setvariables(state_);
  leveldef(state_);
  loadlevel(toolkit(), state_);
}

void Form1::Turn_MouseDown(std::int16_t index, std::int16_t button,
                           std::int16_t shift, float x, float y) {
  tumbra::Turn_MouseDown(toolkit(), state_, index, button, shift, x, y);
}

void Form1::Reset_Click() { tumbra::Reset_Click(toolkit(), state_); }

}  // namespace tumbra
