// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/fatal_stop.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "app/form1_design.h"

namespace tumbra {

void stop_program(const char* what) {
  std::fprintf(stderr, "tumbra: stopped by a programming error: %s\n", what);
  std::fflush(stderr);
  const QString platform = QGuiApplication::platformName();
  if (qApp != nullptr && platform != "offscreen" && platform != "minimal") {
    QMessageBox::critical(
        nullptr, design::caption,
        QString("The game stopped on a programming error:\n%1")
            .arg(QString::fromUtf8(what)));
  }
  std::_Exit(1);
}

}  // namespace tumbra
