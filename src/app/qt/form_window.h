// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The on-screen window of Form1. It holds the controls as children; closing
// it by the player ends the program. It reports whatever may tell that the
// window manager's frame has changed: a move, an activation, or (on X11) a
// change of the window's properties, which is how the frame's extents are
// told.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QWidget>
#include <functional>
#include <utility>

namespace tumbra {

class FormWindow final : public QWidget, public QAbstractNativeEventFilter {
 public:
  FormWindow(std::function<void()> on_close,
             std::function<void()> on_frame_news);
  ~FormWindow() override;

  bool nativeEventFilter(const QByteArray& type, void* message,
                         qintptr* result) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // After Qt has handled the event that brought the news.
  void report_frame_news();

  std::function<void()> on_close_;
  std::function<void()> on_frame_news_;
};

// Lets screen readers meet the window as a window; once, at start.
void install_window_accessibility();

}  // namespace tumbra
