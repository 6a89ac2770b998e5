// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/termination.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <utility>

namespace tumbra {

namespace {

// The handler may only write a byte; the event loop reads it and acts.
int signal_pipe[2] = {-1, -1};

void on_signal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = write(signal_pipe[0], &byte, 1);
}

}  // namespace

void close_on_termination(std::function<void()> close) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signal_pipe) != 0) {
    return;
  }
  // The application owns the notifier and ends it with itself.
  auto* notifier = new QSocketNotifier(signal_pipe[1], QSocketNotifier::Read,
                                       QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                   [close = std::move(close)] {
                     char byte;
                     [[maybe_unused]] const ssize_t n =
                         read(signal_pipe[1], &byte, 1);
                     close();
                   });
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP})
    sigaction(signal, &action, nullptr);
}

}  // namespace tumbra
