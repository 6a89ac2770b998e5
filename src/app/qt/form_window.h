// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The on-screen window of Form1. It holds the controls as children; closing
// it by the player ends the program.
#pragma once

#include <QWidget>
#include <functional>
#include <utility>

namespace tumbra {

class FormWindow final : public QWidget {
 public:
  explicit FormWindow(std::function<void()> on_close)
      : on_close_(std::move(on_close)) {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> on_close_;
};

}  // namespace tumbra
