// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/form_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <utility>

#if __has_include(<xcb/xproto.h>)
#include <xcb/xproto.h>
#define TUMBRA_HAS_XCB 1
#endif

namespace tumbra {

namespace {

// The window manager's frame, once known: a reload's new window has none
// until the window manager reports it, and is centred with this one.
QMargins known_frame;

QMargins frame_margins_of(const QWidget& window) {
  const QRect frame = window.frameGeometry();
  const QRect client = window.geometry();
  return {client.left() - frame.left(), client.top() - frame.top(),
          frame.right() - client.right(), frame.bottom() - client.bottom()};
}

}  // namespace

FormWindow::FormWindow(std::function<void()> on_close)
    : on_close_(std::move(on_close)) {
  QCoreApplication::instance()->installNativeEventFilter(this);
}

FormWindow::~FormWindow() {
  QCoreApplication::instance()->removeNativeEventFilter(this);
}

void FormWindow::show_centred() {
  centre();
  show();
  follow_frame();
  activateWindow();
}

void FormWindow::centre() {
  QScreen* on = screen();
  if (on == nullptr) on = QGuiApplication::primaryScreen();
  const QRect area = on->availableGeometry();
  const QSize whole = size().grownBy(known_frame);
  const int x = area.left() + std::max(0, (area.width() - whole.width()) / 2);
  const int y = area.top() + std::max(0, (area.height() - whole.height()) / 2);
  if (known_frame.isNull()) {
    move(x, y);  // no frame: the client is the whole window
    return;
  }
  // The client area is placed, not the frame: window managers differ in how
  // they read a frame position that Qt asks for, but all of them put a
  // client where it is asked to stand.
  setGeometry(
      QRect(QPoint(x + known_frame.left(), y + known_frame.top()), size()));
}

void FormWindow::follow_frame() {
  // A new window has no frame until the window manager reparents it and
  // says how wide the frame is, which may come well after the show. Each
  // time the frame changes the window is centred again, with the frame; a
  // move by the player leaves the frame as it was and the window where the
  // player put it.
  if (!isVisible()) return;
  const QMargins frame = frame_margins_of(*this);
  if (frame == seen_) return;
  seen_ = frame;
  if (frame.isNull()) return;  // not known yet, or no frame at all
  known_frame = frame;
  centre();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (on_close_) on_close_();
}

void FormWindow::moveEvent(QMoveEvent* /*event*/) { report_frame_news(); }

void FormWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) report_frame_news();
  QWidget::changeEvent(event);
}

bool FormWindow::nativeEventFilter(const QByteArray& type, void* message,
                                   qintptr* /*result*/) {
#ifdef TUMBRA_HAS_XCB
  if (type != "xcb_generic_event_t" || !testAttribute(Qt::WA_WState_Created)) {
    return false;
  }
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY &&
      static_cast<const xcb_property_notify_event_t*>(message)->window ==
          winId()) {
    report_frame_news();
  }
#else
  (void)type;
  (void)message;
#endif
  return false;
}

void FormWindow::report_frame_news() {
  QTimer::singleShot(0, this, [this] { follow_frame(); });
}

}  // namespace tumbra
