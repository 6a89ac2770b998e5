// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/qt/start_up.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace tumbra {

namespace {

bool is_set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// Named and called so that no library function can be taken for it: with
// some standard headers, lookup by the argument's type finds std::quoted.
std::string in_quotes(const std::string& name) { return "\"" + name + "\""; }

// What Qt and the libraries below it write to stderr during the start is
// held in memory: passed on when the window opens, replaced by one line of
// ours when it cannot.
struct HeldStderr {
  int saved = -1;
  int held = -1;

  void begin() {
    std::fflush(stderr);
    held = memfd_create("tumbra-start-up", MFD_CLOEXEC);
    if (held < 0) return;
    saved = dup(STDERR_FILENO);
    dup2(held, STDERR_FILENO);
  }
  // Puts stderr back; `replay` copies what was held to it.
  void end(bool replay) {
    if (saved < 0) return;
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    saved = -1;
    if (replay) {
      char buffer[4096];
      lseek(held, 0, SEEK_SET);
      for (ssize_t n; (n = read(held, buffer, sizeof buffer)) > 0;) {
        if (write(STDERR_FILENO, buffer, static_cast<std::size_t>(n)) < 0) {
          break;
        }
      }
    }
    close(held);
    held = -1;
  }
};

HeldStderr held_stderr;
std::vector<std::string> start_messages;
QtMessageHandler default_handler = nullptr;

void during_start_up(QtMsgType type, const QMessageLogContext& context,
                     const QString& message) {
  start_messages.push_back(message.toStdString());
  if (type != QtFatalMsg) {
    if (default_handler != nullptr) default_handler(type, context, message);
    return;
  }
  held_stderr.end(false);
  const std::string line = "tumbra: " + start_up_failure(start_messages) + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

namespace {

// The text after `prefix` when `message` starts with it.
std::optional<std::string> after(const std::string& message,
                                 std::string_view prefix) {
  if (message.rfind(prefix, 0) != 0) return std::nullopt;
  return message.substr(prefix.size());
}

// The plugin's name in Qt's `Could ... plugin "name" in ...`.
std::string plugin_named(const std::string& rest) {
  return rest.substr(0, rest.find('"'));
}

}  // namespace

std::string start_up_failure(const std::vector<std::string>& qt_messages) {
  // A display that refused the connection is the likeliest cause, and the
  // plugin that then failed to load is only its consequence.
  std::string refused, missing, failed;
  bool no_x_display = false;
  for (const std::string& message : qt_messages) {
    std::string display;
    if (auto named = after(message, "could not connect to display")) {
      display = named->empty() ? "" : named->substr(1);
      if (display.empty() && is_set("DISPLAY"))
        display = std::getenv("DISPLAY");
      // With no DISPLAY, X was only Qt's second choice after Wayland.
      if (display.empty()) {
        no_x_display = true;
        continue;
      }
      display = "the X display " + tumbra::in_quotes(display);
    } else if (after(message, "Failed to create wl_display")) {
      display = "the Wayland display " +
                tumbra::in_quotes(is_set("WAYLAND_DISPLAY")
                                      ? std::getenv("WAYLAND_DISPLAY")
                                      : "wayland-0");
    } else if (auto rest =
                   after(message, "Could not find the Qt platform plugin \"")) {
      if (missing.empty()) {
        const std::string plugin = plugin_named(*rest);
        missing = "the Qt platform plugin " + tumbra::in_quotes(plugin) +
                  " is missing (Qt: " + message + ")";
        if (plugin.rfind("wayland", 0) == 0) {
          missing += "; on Debian it comes with the package qt6-wayland";
        }
      }
      continue;
    } else if (auto loaded =
                   after(message, "Could not load the Qt platform plugin \"")) {
      if (failed.empty()) {
        failed = "the Qt platform plugin " +
                 tumbra::in_quotes(plugin_named(*loaded)) +
                 " failed to load (Qt: " + message + ")";
      }
      continue;
    } else {
      continue;
    }
    if (!refused.empty()) refused += "; ";
    refused += display + " refused the connection (Qt: " + message + ")";
  }
  if (!refused.empty()) return refused;
  if (no_x_display) {
    return "no display server found: DISPLAY is not set, and Qt found no "
           "other (Qt: could not connect to display)";
  }
  if (!missing.empty()) return missing;
  if (!failed.empty()) return failed;
  std::string last = qt_messages.empty() ? "" : qt_messages.back();
  last = last.substr(0, last.find('\n'));
  return "the window system could not be opened (Qt: " + last + ")";
}

std::unique_ptr<QApplication> open_application(const char* program_name) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if ((platform == nullptr || *platform == '\0') && !is_set("DISPLAY") &&
      !is_set("WAYLAND_DISPLAY")) {
    std::fputs(
        "tumbra: no display server found: neither DISPLAY nor "
        "WAYLAND_DISPLAY is set (the game needs a desktop session; a "
        "virtual one such as Xvfb will do)\n",
        stderr);
    std::exit(1);
  }
  // Qt keeps these for the application's lifetime.
  static int qt_argc = 1;
  static char* qt_argv[] = {const_cast<char*>(program_name), nullptr};

  held_stderr.begin();
  default_handler = qInstallMessageHandler(during_start_up);
  auto application = std::make_unique<QApplication>(qt_argc, qt_argv);
  qInstallMessageHandler(default_handler);
  held_stderr.end(true);
  start_messages.clear();
  return application;
}

int close_application(std::unique_ptr<QApplication> application,
                      int status) {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
  if (QGuiApplication::platformName() == QLatin1String("wayland")) {
    // The sanitizer build checks for leaks at the end of every other
    // window system, where the connection closes as usual.
    std::fflush(nullptr);
    std::_Exit(status);
  }
#endif
  application.reset();
  return status;
}

}  // namespace tumbra
