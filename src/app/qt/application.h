// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#pragma once

namespace tumbra {

// Settings of the whole application: only the player's close ends it, and
// it carries the desktop id and the window icon of its desktop entry.
void configure_application();

}  // namespace tumbra
