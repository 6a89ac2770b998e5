// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Qt window driven through Qt's own input path: presses go to the
// window system layer, so modality and double-click detection apply as they
// do for a player. Message boxes are recorded and answered as they open.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <vector>

#include "app/headless/headless_window.h"  // MessageBoxRecord
#include "app/qt/block_widget.h"
#include "app/qt/qt_toolkit.h"
#include "game.h"

namespace tumbra::testing {

class QtTestWindow final : public QtToolkit {
 public:
  using QtToolkit::QtToolkit;

  ~QtTestWindow() override {
    unload_window();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // A press and release of mouse `code` on the centre of Turn `index`.
  void press_turn(std::int16_t index, std::int16_t code) {
    send_press(widget(ControlName::Turn, index), code);
  }

  void click_reset() {
    QWidget* reset = widget(ControlName::Reset, 0);
    send_press(reset, mouse::left);
  }

  const std::vector<MessageBoxRecord>& boxes() const { return boxes_; }

  Colour piece_colour(std::int16_t index) {
    return back_color(element(ControlName::Piece, index));
  }

  void answer_boxes_with(std::function<BoxAnswer(const MessageBoxRecord&)> f) {
    answer_ = std::move(f);
  }

  // What a screen reader is told of circle `index`.
  std::string said(ControlName name, std::int16_t index) const {
    BlockWidget* b = block(name, index);
    return b == nullptr ? "<no block>"
                        : b->accessible_circle(index)
                              ->text(QAccessible::Name)
                              .toStdString();
  }

 protected:
  BoxAnswer ask(const std::string& text, BoxStyle style,
                const std::string& title) override {
    // Answer from inside the box's own event loop, once it is showing.
    QTimer::singleShot(0, [this] { answer_open_box(); });
    return QtToolkit::ask(text, style, title);
  }

 public:
  // Sends a press to `target` through its window, then the release. When
  // the press reloaded the window, the release lands, as it does under a
  // real pointer, on the new window standing in the same place.
  void send_press(QWidget* target, std::int16_t code) {
    if (target == nullptr) return;
    const auto button = static_cast<Qt::MouseButton>(code);
    QPointer<QWindow> handle = target->window()->windowHandle();
    const QPoint at = target->mapTo(target->window(), target->rect().center());
    QTest::mousePress(handle, button, {}, at);
    if (handle.isNull() || !handle->isVisible())
      handle = window()->windowHandle();
    QTest::mouseRelease(handle, button, {}, at);
  }

 private:
  void answer_open_box() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      QTimer::singleShot(5, [this] { answer_open_box(); });
      return;
    }
    MessageBoxRecord record;
    record.text = box->text().toStdString();
    record.title = box->windowTitle().toStdString();
    const bool critical_ok = box->icon() == QMessageBox::Critical &&
                             box->standardButtons() == QMessageBox::Ok;
    const bool ok_cancel =
        box->icon() == QMessageBox::NoIcon &&
        box->standardButtons() == (QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_TRUE(critical_ok || ok_cancel) << "unexpected buttons or icon";
    record.style = critical_ok ? BoxStyle::CriticalOkOnly : BoxStyle::OkCancel;
    boxes_.push_back(record);
    const BoxAnswer answer = answer_ ? answer_(record) : BoxAnswer::Ok;
    QAbstractButton* choice = box->button(
        answer == BoxAnswer::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
    if (choice == nullptr) choice = box->button(QMessageBox::Ok);
    choice->click();
  }

  std::vector<MessageBoxRecord> boxes_;
  std::function<BoxAnswer(const MessageBoxRecord&)> answer_;
};

using QtGame = Game<QtTestWindow>;

}  // namespace tumbra::testing
