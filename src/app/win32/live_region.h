// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Tries label as a live region: screen readers say its name, the tries
// in words, unasked, after every turn.
#pragma once

#include <windows.h>

namespace tumbra {

// Annotates `label` as a polite live region (UI Automation's LiveSetting,
// through Active Accessibility's dynamic annotation): screen readers say
// its name, unasked, whenever it announces a change. Says whether Windows
// took the annotation. unmark_live_region takes it back, before the label
// goes.
bool mark_live_region(HWND label);
void unmark_live_region(HWND label);

}  // namespace tumbra
