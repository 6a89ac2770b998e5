// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A request to end the program from outside (SIGTERM from a session that
// logs out, SIGINT from the terminal, SIGHUP) closes the window the way the
// player's close does, so the program ends with status 0 as after any close.
#pragma once

#include <functional>

namespace tumbra {

// Calls `close` on the event thread when one of the signals arrives.
void close_on_termination(std::function<void()> close);

}  // namespace tumbra
