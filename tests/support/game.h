// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The game driven as a player would, and boards written as five-character row
// strings: digits are the level codes ("0" white ... "5" black), any other
// character stands for a colour of its own (for tracing ring places).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/game_window.h"
#include "app/headless/headless_view.h"
#include "levels/colour_codes.h"
#include "recording_view.h"

namespace tumbra::testing {

using Rows = std::array<std::string, 5>;

inline Colour colour_of(char c) {
  for (const ColourCode& code : colour_codes) {
    if (code.code[0] == c) return code.colour;
  }
  return 0x01000000u + static_cast<unsigned char>(c);  // no real colour
}

inline char char_of(Colour colour) {
  for (const ColourCode& code : colour_codes) {
    if (code.colour == colour) return code.code[0];
  }
  if (colour > 0x01000000u && colour <= 0x010000FFu) {
    return static_cast<char>(colour - 0x01000000u);
  }
  return '?';
}

inline constexpr int board_first = 1;
inline constexpr int goal_first = 26;

inline Rows read_rows(Toolkit& toolkit, int first) {
  Rows rows;
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) {
      const auto index = static_cast<std::int16_t>(first + 5 * r + c);
      rows[r] += char_of(
          toolkit.back_color(toolkit.element(ControlName::Piece, index)));
    }
  }
  return rows;
}

inline void write_rows(Toolkit& toolkit, int first, const Rows& rows) {
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) {
      const auto index = static_cast<std::int16_t>(first + 5 * r + c);
      toolkit.set_back_color(toolkit.element(ControlName::Piece, index),
                             colour_of(rows[r][c]));
    }
  }
}

// How a test drives a view as a player would: press a Turn button with a
// mouse code, click Reset, and close the next box with a given answer.
template <class ViewType>
struct Driver;

template <>
struct Driver<HeadlessView> {
  static void press(HeadlessView& v, std::int16_t index, std::int16_t code) {
    v.press_turn(index, code);
  }
  static void reset(HeadlessView& v) { v.click_reset(); }
  static void answer(HeadlessView& v, const MessageBoxRecord&, BoxAnswer a) {
    v.answer = a;
  }
};

// Every control of the loaded window, by name and index.
inline std::vector<std::pair<ControlName, std::int16_t>> elements(
    const ControlModel& model) {
  std::vector<std::pair<ControlName, std::int16_t>> all;
  model.each_control(
      [&](const Control& c) { all.emplace_back(c.name, c.index); });
  return all;
}

// The game shown by a view of type `ViewType`, watched through a recorder:
// wired as GameWindow wires it, with the recorder given to the model as
// its one view.
template <class ViewType>
struct Game {
  Form1 form;
  ControlModel model{form};
  ViewType view{model};
  RecordingView recorder{view, [this](const MessageBoxRecord& r, BoxAnswer a) {
                           Driver<ViewType>::answer(view, r, a);
                         }};

  Game() {
    model.attach(recorder);
    form.attach(model);
    model.show_window();
  }
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  GameState& state() { return form.state(); }
  Rows board() { return read_rows(model, board_first); }
  Rows goal() { return read_rows(model, goal_first); }
  void set_board(const Rows& rows) { write_rows(model, board_first, rows); }
  Colour piece_colour(std::int16_t index) {
    return model.back_color(model.element(ControlName::Piece, index));
  }
  std::string tries() {
    return model.caption(model.element(ControlName::Tries, 0));
  }
  std::size_t boxes() const { return recorder.boxes.size(); }
  const MessageBoxRecord& last_box() const { return recorder.boxes.back(); }

  void press(std::int16_t button, std::int16_t code) {
    Driver<ViewType>::press(view, button, code);
  }
  void left(std::int16_t button) { press(button, mouse::left); }
  void right(std::int16_t button) { press(button, mouse::right); }
  void click_reset() { Driver<ViewType>::reset(view); }
  void answer_boxes_with(std::function<BoxAnswer(const MessageBoxRecord&)> f) {
    recorder.answer = std::move(f);
  }
  // Plays the presses written as "L1 R2 ..." (L or R, then the button).
  void play(const std::string& presses) {
    for (std::size_t i = 0; i + 1 < presses.size(); ++i) {
      const char side = presses[i];
      if (side != 'L' && side != 'R') continue;
      const auto button = static_cast<std::int16_t>(presses[i + 1] - '0');
      press(button, side == 'L' ? mouse::left : mouse::right);
      ++i;
    }
  }
  // Makes `level` the one on the board, through the game's own reload.
  void go_to_level(std::int16_t level) {
    state().level = static_cast<std::int16_t>(level - 1);
    model.unload_window();
    model.show_window();
  }
};

using HeadlessGame = Game<HeadlessView>;

}  // namespace tumbra::testing
