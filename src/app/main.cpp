// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Program start: the window is the start-up object. Building it runs the load
// sequence; then the event loop runs until the player closes the window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "app/form1.h"
#include "app/qt/qt_toolkit.h"

namespace {

constexpr const char* no_display_line =
    "tumbra: the game needs a desktop session to open its window, and none "
    "was found (a virtual one such as Xvfb will do)\n";

QtMessageHandler default_handler = nullptr;
bool starting = true;

struct HeldMessage {
  QtMsgType type;
  QString message;
};
std::vector<HeldMessage>& held_messages() {
  static std::vector<HeldMessage> held;
  return held;
}

// Qt aborts, after a few lines of its own, when it finds no display to
// connect to; say plainly in one line why instead. Messages of a start that
// succeeds are passed on afterwards.
void start_up_messages(QtMsgType type, const QMessageLogContext& context,
                       const QString& message) {
  if (!starting) {
    if (default_handler != nullptr) default_handler(type, context, message);
    return;
  }
  if (type == QtFatalMsg) {
    std::fputs(no_display_line, stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  held_messages().push_back({type, message});
}

void pass_on_held_messages() {
  starting = false;
  for (const HeldMessage& held : held_messages()) {
    if (default_handler != nullptr) {
      default_handler(held.type, QMessageLogContext(), held.message);
    }
  }
  held_messages().clear();
}

bool display_possible() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  if (!display_possible()) {
    std::fputs(no_display_line, stderr);
    return 1;
  }
  default_handler = qInstallMessageHandler(start_up_messages);
  QApplication app(argc, argv);
  pass_on_held_messages();
  tumbra::configure_application();

  tumbra::Form1 form;
  tumbra::QtToolkit toolkit(form);
  form.attach(toolkit);
  try {
    toolkit.show_window();
  } catch (const std::exception& error) {
    tumbra::stop_program(error.what());
  }
  return QApplication::exec();
}
