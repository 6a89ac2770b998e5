// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "app/qt/turn_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <utility>

namespace tumbra {

std::int16_t button_code(Qt::MouseButton button) {
  // Qt numbers left, right and middle 1, 2 and 4, as the game does; further
  // buttons keep Qt's bit, capped to what 16 bits hold.
  const auto value = static_cast<unsigned>(button);
  return static_cast<std::int16_t>(value > 0x4000u ? 0x4000u : value);
}

namespace {

std::int16_t shift_state(Qt::KeyboardModifiers modifiers) {
  std::int16_t state = 0;
  if (modifiers & Qt::ShiftModifier) state |= 1;
  if (modifiers & Qt::ControlModifier) state |= 2;
  if (modifiers & Qt::AltModifier) state |= 4;
  return state;
}

bool activates_button(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
    case Qt::Key_Return:
    case Qt::Key_Enter: return true;
    default: return false;
  }
}

}  // namespace

TurnButton::TurnButton(QWidget* parent, PressHandler on_press)
    : QPushButton(parent), on_press_(std::move(on_press)) {
  setAutoDefault(false);
}

void TurnButton::mousePressEvent(QMouseEvent* event) {
  event->accept();
  setDown(true);
  // The press may win the level, and the reload then retires this button;
  // the handler runs from a copy and nothing of the button is touched after.
  const PressHandler handler = on_press_;
  handler(button_code(event->button()), shift_state(event->modifiers()),
          event->position());
}

void TurnButton::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void TurnButton::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->buttons() == Qt::NoButton) setDown(false);
}

void TurnButton::keyPressEvent(QKeyEvent* event) {
  if (activates_button(event)) {
    event->ignore();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void TurnButton::keyReleaseEvent(QKeyEvent* event) {
  if (activates_button(event)) {
    event->ignore();
    return;
  }
  QPushButton::keyReleaseEvent(event);
}

}  // namespace tumbra
