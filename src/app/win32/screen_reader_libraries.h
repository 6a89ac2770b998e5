// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The screen readers' libraries, loaded from the system's own folder the
// first time a screen reader asks: a game played without one, as most are,
// never loads them, and starts the sooner.
#pragma once

#include <windows.h>

#include <oleacc.h>

namespace tumbra {

struct Libraries {
  decltype(&CreateStdAccessibleObject) standard_object = nullptr;
  decltype(&LresultFromObject) answer = nullptr;
  decltype(&SysAllocString) make_text = nullptr;
  // The annotations a screen reader reads beside the objects; nullptr
  // where the system has none.
  IAccPropServices* annotations = nullptr;
  bool loaded() const { return standard_object && answer && make_text; }
};

// Loads them once, and starts COM on this thread, through which a screen
// reader's answer is marshalled.
const Libraries& libraries();
// Whether they have been loaded.
bool libraries_loaded();

}  // namespace tumbra
