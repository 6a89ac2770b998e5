// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The fonts of the Windows window at a given DPI: the designed font of
// Reset and Tries, and the system's message font, which the Turn buttons
// show as the toolkit's default.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/toolkit.h"

namespace tumbra {

// The family the designed font is shown in: the designed family, or its
// TrueType counterpart, where Windows has an outline font of it; else the
// first stand-in it has; else the family of the system's message font.
// Chosen once.
const std::wstring& designed_family();

// Owns the two fonts made for one DPI, from the system's settings as they
// stand then. A control is given new fonts before the old ones go: made
// anew, set on every control, and only then put in the place of the old.
class Fonts {
 public:
  Fonts() = default;
  explicit Fonts(UINT dpi);
  ~Fonts();
  Fonts(Fonts&& other) noexcept;
  Fonts& operator=(Fonts&& other) noexcept;

  UINT dpi() const { return dpi_; }
  // The designed font, for the controls the design gives it; the message
  // font, the toolkit's default, for the others.
  HFONT designed() const { return designed_; }
  HFONT message() const { return message_; }
  HFONT for_control(ControlName name) const;

 private:
  void release();

  UINT dpi_ = 0;
  HFONT designed_ = nullptr;
  HFONT message_ = nullptr;
};

}  // namespace tumbra
