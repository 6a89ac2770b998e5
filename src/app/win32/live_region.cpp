// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/live_region.h"

#include <oleacc.h>

#include "app/win32/screen_reader_libraries.h"

namespace tumbra {

namespace {

// UI Automation's LiveSetting property, as Active Accessibility's dynamic
// annotation names it.
constexpr GUID live_setting = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

}  // namespace

bool mark_live_region(HWND label) {
  IAccPropServices* annotations = libraries().annotations;
  if (annotations == nullptr) return false;
  VARIANT polite;
  polite.vt = VT_I4;
  polite.lVal = 1;  // LiveSetting's Polite
  return SUCCEEDED(annotations->SetHwndProp(label, OBJID_CLIENT, CHILDID_SELF,
                                            live_setting, polite));
}

void unmark_live_region(HWND label) {
  if (IAccPropServices* annotations = libraries().annotations) {
    MSAAPROPID property = live_setting;
    annotations->ClearHwndProps(label, OBJID_CLIENT, CHILDID_SELF, &property, 1);
  }
}

}  // namespace tumbra
