// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "app/qt/form_window.h"

#include <QCloseEvent>

namespace tumbra {

void FormWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (on_close_) on_close_();
}

}  // namespace tumbra
