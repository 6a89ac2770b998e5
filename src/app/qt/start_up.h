// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Opening and closing the connection to the window system. Qt takes no
// argument of ours, and when it cannot open a window the player reads one
// line that says why, instead of Qt's lines about reinstalling the
// application.
#pragma once

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

namespace tumbra {

// Connects to the window system named by the environment (DISPLAY,
// WAYLAND_DISPLAY, QT_QPA_PLATFORM ...), giving Qt only the program's name.
// On failure prints one line on stderr and ends the program with status 1;
// on success passes on what the start wrote to stderr.
std::unique_ptr<QApplication> open_application(const char* program_name);

// Closes the connection once the event loop has ended with `status`, and
// returns `status`. Qt 6.4 may hang or abort while it closes a Wayland
// connection, its reading thread left waiting for a read that never comes;
// there the program ends at once instead, its window already gone, and the
// system closes the connection.
int close_application(std::unique_ptr<QApplication> application, int status);

// The one line (without "tumbra: " and the newline) that names why no window
// could open, from what Qt reported while it tried.
std::string start_up_failure(const std::vector<std::string>& qt_messages);

}  // namespace tumbra
