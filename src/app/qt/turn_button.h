// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// A Turn button: it acts on the press of any mouse button, not on a click,
// and ignores the keyboard, so that only a mouse press turns a group.
#pragma once

#include <QPushButton>
#include <cstdint>
#include <functional>

namespace tumbra {

class TurnButton final : public QPushButton {
 public:
  // Called with the mouse-button code (1 left, 2 right, 4 middle, ...), the
  // shift state (1 Shift, 2 Ctrl, 4 Alt) and the pointer's place in pixels.
  using PressHandler =
      std::function<void(std::int16_t button, std::int16_t shift, QPointF at)>;

  TurnButton(QWidget* parent, PressHandler on_press);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  // The second of two quick presses arrives as a double-click; it is a press
  // all the same.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  PressHandler on_press_;
};

// Qt's mouse button as the game's button code.
std::int16_t button_code(Qt::MouseButton button);

}  // namespace tumbra
