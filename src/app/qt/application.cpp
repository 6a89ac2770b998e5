// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/application.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

namespace tumbra {

void configure_application() {
  // A reload hides the old window before the new one shows.
  QApplication::setQuitOnLastWindowClosed(false);
  QGuiApplication::setDesktopFileName(TUMBRA_APP_ID);
  QIcon icon;
  // Title bars and task bars take up to 64 pixels; the desktop's own menus
  // read the larger icons from the installed theme. Each size read here is
  // decoded at every start.
  for (int size : {16, 24, 32, 48, 64}) {
    // PNG only: without format detection Qt loads none of its image
    // plugins, which would cost a megabyte of memory for a few small icons.
    QImageReader reader(QString(":/icons/" TUMBRA_APP_ID "-%1.png").arg(size),
                        "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  QApplication::setWindowIcon(icon);
}

}  // namespace tumbra
