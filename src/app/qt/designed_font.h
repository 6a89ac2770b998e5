// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The font the design gives Reset and Tries: "MS Sans Serif" at 13.5
// points, or the nearest plain sans-serif where it is missing.
#pragma once

#include <QFont>

namespace tumbra {

const QFont& designed_font();

}  // namespace tumbra
