// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Qt window driven through Qt's own input path: presses go to the
// window system layer, so modality and double-click detection apply as they
// do for a player. Each box is answered by a click on its button once it
// shows, and is checked against what the game asked for.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "app/qt/qt_view.h"
#include "game.h"

namespace tumbra::testing {

// Sends a press to `target` through its window, then the release. When the
// press reloaded the window, the release lands, as it does under a real
// pointer, on the new window standing in the same place.
inline void send_press(QtView& view, QWidget* target, std::int16_t code) {
  if (target == nullptr) return;
  const auto button = static_cast<Qt::MouseButton>(code);
  QPointer<QWindow> handle = target->window()->windowHandle();
  const QPoint at = target->mapTo(target->window(), target->rect().center());
  QTest::mousePress(handle, button, {}, at);
  if (handle.isNull() || !handle->isVisible())
    handle = view.window()->windowHandle();
  QTest::mouseRelease(handle, button, {}, at);
}

// Clicks `answer` on the box that opens next, from inside its own event
// loop, once the box shows what `asked` says.
inline void click_when_open(const MessageBoxRecord& asked, BoxAnswer answer) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) {
    QTimer::singleShot(5, [asked, answer] { click_when_open(asked, answer); });
    return;
  }
  EXPECT_EQ(box->text().toStdString(), asked.text);
  EXPECT_EQ(box->windowTitle().toStdString(), asked.title);
  const bool critical = asked.style == BoxStyle::CriticalOkOnly;
  EXPECT_EQ(box->icon(),
            critical ? QMessageBox::Critical : QMessageBox::NoIcon);
  EXPECT_EQ(box->standardButtons(),
            critical ? QMessageBox::StandardButtons(QMessageBox::Ok)
                     : QMessageBox::Ok | QMessageBox::Cancel);
  QAbstractButton* choice = box->button(
      answer == BoxAnswer::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
  if (choice == nullptr) choice = box->button(QMessageBox::Ok);
  choice->click();
}

template <>
struct Driver<QtView> {
  static void press(QtView& v, std::int16_t index, std::int16_t code) {
    send_press(v, v.widget(ControlName::Turn, index), code);
  }
  static void reset(QtView& v) {
    send_press(v, v.widget(ControlName::Reset, 0), mouse::left);
  }
  static void answer(QtView&, const MessageBoxRecord& asked, BoxAnswer a) {
    QTimer::singleShot(0, [asked, a] { click_when_open(asked, a); });
  }
};

// Windows retired by a reload are deleted once control is back in the event
// loop; a test that counts widgets or ends lets that happen now.
inline void settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct QtGame : Game<QtView> {
  ~QtGame() {
    model.unload_window();
    settle();
  }
};

}  // namespace tumbra::testing
