// Program start: the window is the start-up object. Building it runs the load
// sequence; then the event loop runs until the player closes the window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/form1.h"
#include "app/qt/qt_toolkit.h"

namespace {

constexpr const char* no_display_line =
    "tumbra: the game needs a desktop session to open its window, and none "
    "was found (a virtual one such as Xvfb will do)\n";

QtMessageHandler default_handler = nullptr;
bool starting = true;

// Qt aborts when it finds no display to connect to; say plainly why instead.
void start_up_messages(QtMsgType type, const QMessageLogContext& context,
                       const QString& message) {
  if (starting && type == QtFatalMsg) {
    std::fputs(no_display_line, stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (default_handler != nullptr) default_handler(type, context, message);
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
  starting = false;
  // A reload hides the old window before the new one shows; only the
  // player's close ends the program.
  QApplication::setQuitOnLastWindowClosed(false);

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
