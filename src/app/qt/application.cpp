// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/application.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

namespace tumbra {

void configure_application() {
  // A reload hides the old window before the new one shows.
  QApplication::setQuitOnLastWindowClosed(false);
  QGuiApplication::setDesktopFileName(TUMBRA_APP_ID);
  QIcon icon;
  // Every size the build put in the resources (those a title bar or task
  // bar takes); each is decoded at every start.
  const QDir icons(":/icons");
  for (const QString& name : icons.entryList(QDir::Files)) {
    // PNG only: without format detection Qt loads none of its image
    // plugins, which would cost a megabyte of memory for a few small icons.
    QImageReader reader(icons.filePath(name), "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  QApplication::setWindowIcon(icon);
}

}  // namespace tumbra
