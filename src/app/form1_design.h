// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Form1 as designed: the window's caption and client size, and the four
// controls that exist before any game code runs. The control model builds
// every load of every window from this one table.
#pragma once

#include <array>
#include <cstdint>

#include "board/lattice.h"
#include "board/turn_pad.h"
#include "toolkit/toolkit.h"

namespace tumbra::design {

inline constexpr const char* caption = "Tumbra!";

// The client area holds exactly the lattice: the goal picture's last column
// ends at 3840 + 4 * 480 + 495, the last row at 4 * 480 + 495.
inline constexpr int client_width = 6255;
inline constexpr int client_height = 2415;
static_assert(client_width ==
              lattice::goal_offset + 4 * lattice::pitch + lattice::cell_size);
static_assert(client_height == 4 * lattice::pitch + lattice::cell_size);

struct Control {
  ControlName name;
  std::int16_t index;
  int left, top, width, height;  // twips
  const char* caption;           // nullptr: the control has none
  int tab_index;                 // -1: never takes the focus
  bool visible;
};

// In the order the design lists them.
inline constexpr std::array<Control, 4> controls{{
    {ControlName::Reset, 0, 2400, 1920, 1455, 495, "Reset", 2, true},
    {ControlName::Turn, 1, 2400, 480, 495, 495, "1", 0, true},
    {ControlName::Tries, 0, 2400, 0, 1455, 495, "0/5", 1, true},
    {ControlName::Piece, 0, 1920, 960, 495, 495, nullptr, -1, false},
}};

static_assert(controls[1].left == turn_pad::pad[0].left &&
              controls[1].top == turn_pad::pad[0].top);

constexpr const Control& control(ControlName name) {
  for (const Control& c : controls) {
    if (c.name == name) return c;
  }
  return controls[0];  // unreachable: every name has a designed control
}

// Reset and Tries: "MS Sans Serif" at 13.5 points, normal weight. Turn
// buttons keep the window's default font.
inline constexpr const char* font_family = "MS Sans Serif";
inline constexpr double font_points = 13.5;
// On Windows the designed name is a bitmap font; its TrueType counterpart
// stands for it.
inline constexpr const char* font_outline_family = "Microsoft Sans Serif";
// Where neither is found, the stand-ins in the order they are tried, the
// plain sans-serifs of Linux desktops; after them, the platform's own
// sans-serif.
inline constexpr std::array<const char*, 2> font_stand_ins{"DejaVu Sans",
                                                           "Liberation Sans"};
constexpr bool has_designed_font(ControlName name) {
  return name == ControlName::Reset || name == ControlName::Tries;
}

// The colour circles are created with, before the level colours them.
inline constexpr Colour piece_back_color = pack_colour(255, 255, 255);

// Tries: red text on green.
inline constexpr Colour tries_back_color = pack_colour(0, 255, 0);
inline constexpr Colour tries_fore_color = pack_colour(255, 0, 0);

}  // namespace tumbra::design
