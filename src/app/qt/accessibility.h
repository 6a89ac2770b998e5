// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// How screen readers meet the Qt window: as a window, its blocks as groups
// whose children are their showing circles, each a graphic named by its
// place and colour as the control model holds them.
#pragma once

#include <QAccessibleInterface>
#include <QWidget>
#include <array>
#include <cstdint>

namespace tumbra {

class BlockWidget;

// Lets Qt's accessibility find the window's role and the blocks' circles;
// once, at start.
void install_accessibility();

// A circle of a block as a screen reader meets it.
QAccessibleInterface* make_circle_accessible(BlockWidget* block,
                                             std::int16_t index);

// What a screen reader says of its own accord, such as the tries after a
// turn: a notification that shows for the moment it is said, and is never
// seen. Screen readers speak a notification as it shows, in Orca's
// release of Debian 12 as in later ones, where Qt 6.4 has no announcement
// of its own to give them. Two take turns, so that one said right after
// another keeps its own words until the screen reader has read them.
class Notice final : public QWidget {
 public:
  explicit Notice(QWidget* window);
  // Says `text`, when a screen reader listens.
  void say(const QString& text);

 private:
  std::array<QWidget*, 2> said_;
  std::size_t next_ = 0;
};

}  // namespace tumbra
