// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/form_window.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <utility>

#if __has_include(<xcb/xproto.h>)
#include <xcb/xproto.h>
#define TUMBRA_HAS_XCB 1
#endif

namespace tumbra {

namespace {

// Qt takes a plain top-level widget for a client area; screen readers
// announce a window only when it says it is one.
QAccessibleInterface* window_factory(const QString&, QObject* object) {
  if (auto* window = dynamic_cast<FormWindow*>(object)) {
    return new QAccessibleWidget(window, QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void install_window_accessibility() {
  static bool installed = false;
  if (!installed) QAccessible::installFactory(window_factory);
  installed = true;
}

FormWindow::FormWindow(std::function<void()> on_close,
                       std::function<void()> on_frame_news)
    : on_close_(std::move(on_close)), on_frame_news_(std::move(on_frame_news)) {
  QCoreApplication::instance()->installNativeEventFilter(this);
}

FormWindow::~FormWindow() {
  QCoreApplication::instance()->removeNativeEventFilter(this);
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
  QTimer::singleShot(0, this, [this] {
    if (on_frame_news_) on_frame_news_();
  });
}

}  // namespace tumbra
