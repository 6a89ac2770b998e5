// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/designed_font.h"

#include <QStringList>

#include "app/form1_design.h"

namespace tumbra {

const QFont& designed_font() {
  // Made once: every reload gives it to Reset and Tries again, and a font
  // made afresh would be matched against the system's fonts afresh.
  static const QFont font = [] {
    QFont f;
    // Each family missing before one is found costs the start a search of
    // the system's fonts, so the list of stand-ins is short.
    QStringList families{design::font_family};
    for (const char* family : design::font_stand_ins) families << family;
    f.setFamilies(families);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(design::font_points);
    f.setWeight(QFont::Normal);
    return f;
  }();
  return font;
}

}  // namespace tumbra
