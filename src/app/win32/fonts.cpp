// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/win32/fonts.h"

#include <cmath>

#include "app/form1_design.h"
#include "app/win32/wide.h"

namespace tumbra {

namespace {

NONCLIENTMETRICSW metrics(UINT dpi) {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0, dpi);
  return m;
}

// Whether Windows has an outline font (TrueType or OpenType) of `family`.
// Asks the font list alone, without making a font.
bool has_outline_font(const std::wstring& family) {
  LOGFONTW asked{};
  asked.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(asked.lfFaceName, family.c_str(), LF_FACESIZE);
  bool outline = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(
      dc, &asked,
      [](const LOGFONTW*, const TEXTMETRICW* metrics, DWORD type,
         LPARAM found) -> int {
        const auto* details = reinterpret_cast<const NEWTEXTMETRICW*>(metrics);
        if ((type & TRUETYPE_FONTTYPE) || (details->ntmFlags & NTM_PS_OPENTYPE)) {
          *reinterpret_cast<bool*>(found) = true;
          return 0;
        }
        return 1;
      },
      reinterpret_cast<LPARAM>(&outline), 0);
  ReleaseDC(nullptr, dc);
  return outline;
}

}  // namespace

const std::wstring& designed_family() {
  static const std::wstring family = [] {
    for (const char* designed :
         {design::font_family, design::font_outline_family}) {
      if (has_outline_font(widen(designed))) return widen(designed);
    }
    for (const char* stand_in : design::font_stand_ins) {
      if (has_outline_font(widen(stand_in))) return widen(stand_in);
    }
    return std::wstring(metrics(96).lfMessageFont.lfFaceName);
  }();
  return family;
}

Fonts::~Fonts() { release(); }

Fonts::Fonts(Fonts&& other) noexcept
    : dpi_(other.dpi_), designed_(other.designed_), message_(other.message_) {
  other.designed_ = other.message_ = nullptr;
  other.dpi_ = 0;
}

Fonts& Fonts::operator=(Fonts&& other) noexcept {
  if (this != &other) {
    release();
    dpi_ = other.dpi_;
    designed_ = other.designed_;
    message_ = other.message_;
    other.designed_ = other.message_ = nullptr;
    other.dpi_ = 0;
  }
  return *this;
}

void Fonts::release() {
  if (designed_ != nullptr) DeleteObject(designed_);
  if (message_ != nullptr) DeleteObject(message_);
  designed_ = message_ = nullptr;
  dpi_ = 0;
}

Fonts::Fonts(UINT dpi) : dpi_(dpi) {
  LOGFONTW designed{};
  // Points to pixels: 72 points to the inch.
  designed.lfHeight = -static_cast<LONG>(std::lround(design::font_points * dpi / 72.0));
  designed.lfWeight = FW_NORMAL;
  designed.lfCharSet = DEFAULT_CHARSET;
  designed.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  designed.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(designed.lfFaceName, designed_family().c_str(), LF_FACESIZE);
  designed_ = CreateFontIndirectW(&designed);
  NONCLIENTMETRICSW m = metrics(dpi);
  message_ = CreateFontIndirectW(&m.lfMessageFont);
}

HFONT Fonts::for_control(ControlName name) const {
  return design::has_designed_font(name) ? designed_ : message_;
}

}  // namespace tumbra
