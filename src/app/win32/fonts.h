// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The fonts of the Windows window at a given DPI: the designed font of
// Reset and Tries, and the system's message font, which the Turn buttons
// show as the toolkit's default.
#pragma once

#include <windows.h>

#include <string>

namespace tumbra {

// The family the designed font is shown in: the designed family, or its
// TrueType counterpart, where Windows has an outline font of it; else the
// first stand-in it has; else the family of the system's message font.
// Chosen once.
const std::wstring& designed_family();

// Owns the two fonts made for one DPI.
class Fonts {
 public:
  Fonts() = default;
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // Makes the fonts for `dpi`, unless they are made for it already.
  void make(UINT dpi);
  HFONT designed() const { return designed_; }
  HFONT message() const { return message_; }

 private:
  void release();

  UINT dpi_ = 0;
  HFONT designed_ = nullptr;
  HFONT message_ = nullptr;
};

}  // namespace tumbra
