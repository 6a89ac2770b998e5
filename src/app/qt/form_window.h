// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The on-screen window of Form1. It holds the controls as children; closing
// it by the player ends the program. It stands centred on its screen, frame
// included: whatever may tell that the window manager's frame has changed (a
// move, an activation, or on X11 a change of the window's properties, which
// is how the frame's extents are told) centres it again.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>
#include <functional>

namespace tumbra {

class FormWindow final : public QWidget, public QAbstractNativeEventFilter {
 public:
  explicit FormWindow(std::function<void()> on_close);
  ~FormWindow() override;

  // Shows the window centred on its screen's available area and gives it
  // the keyboard.
  void show_centred();

  bool nativeEventFilter(const QByteArray& type, void* message,
                         qintptr* result) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Centres the window with the frame last reported, of this window or of
  // an earlier one.
  void centre();
  // After Qt has handled the event that brought the news.
  void report_frame_news();
  void follow_frame();

  std::function<void()> on_close_;
  QMargins seen_;  // the frame of this window, as last seen
};

}  // namespace tumbra
