// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The minimal program that the game's start-up and memory are measured
// against.
#include <QApplication>

#include "baseline_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget* window = tumbra::bench::make_baseline_window();
  window->show();
  const int status = QApplication::exec();
  delete window;
  return status;
}
