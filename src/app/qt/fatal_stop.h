// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#pragma once

namespace tumbra {

// Reports a programming error on stderr and, where a screen can show it, in a
// critical message box, then ends the program with status 1.
[[noreturn]] void stop_program(const char* what);

}  // namespace tumbra
