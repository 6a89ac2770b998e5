// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "app/accessible_text.h"

#include <cmath>
#include <cstdio>

#include "board/lattice.h"
#include "board/turn_pad.h"
#include "levels/colour_codes.h"

namespace tumbra::accessible {

namespace {

const char* turn_of_mode(std::int16_t mode) {
  switch (mode) {
    case 1: return "a quarter turn clockwise";
    case 2: return "a quarter turn counter-clockwise";
    case 3: return "one place counter-clockwise";
    case 4: return "one place clockwise";
    default: return "nothing";
  }
}

// The whole number in `text`, blanks around it ignored; -1 when there is
// none.
long whole_number(const std::string& text) {
  long value = -1;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      value = (value < 0 ? 0 : value * 10) + (c - '0');
    } else if (c != ' ') {
      return -1;
    }
  }
  return value;
}

// A cell's number counted from 1; a place far off any lattice reads "?".
std::string counted(double cell) {
  if (!std::isfinite(cell) || std::fabs(cell) > 1e9) return "?";
  return std::to_string(static_cast<long long>(cell) + 1);
}

}  // namespace

std::string turn_name(std::int16_t index) {
  return "Turn " + std::to_string(index);
}

std::string turn_description(std::int16_t index) {
  const turn_pad::Button* button = turn_pad::button(index);
  if (button == nullptr) return {};
  return std::string(
             "Turns the ring of eight circles around the centre of "
             "the ") +
         button->group + " group of the play board. Left button: " +
         turn_of_mode(button->left_mode) +
         ". Right button: " + turn_of_mode(button->right_mode) + ".";
}

std::string tries_description(const std::string& caption) {
  const std::size_t slash = caption.find('/');
  if (slash == std::string::npos) return caption;
  const long tries = whole_number(caption.substr(0, slash));
  const long minimum = whole_number(caption.substr(slash + 1));
  if (tries < 0 || minimum < 0) return caption;
  return std::to_string(tries) + (tries == 1 ? " try" : " tries") +
         " made; the minimum for this level is " + std::to_string(minimum);
}

std::string colour_name(Colour colour) {
  for (const ColourCode& code : colour_codes) {
    if (code.colour == colour) return std::string(code.name);
  }
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%02x%02x%02x", colour & 0xFFu,
                (colour >> 8) & 0xFFu, (colour >> 16) & 0xFFu);
  return hex;
}

std::string circle_name(bool goal, double row, double column, Colour colour) {
  return std::string(blocks[goal].name) + ", row " + counted(row) +
         ", column " + counted(column) + ", " + colour_name(colour);
}

Spoken spoken(const Control& c) {
  switch (c.name) {
    case ControlName::Piece: {
      const lattice::Cell cell = lattice::cell_of(c.index, c.left, c.top);
      return {circle_name(lattice::in_goal(c.index), cell.row, cell.column,
                          c.back_color),
              ""};
    }
    case ControlName::Turn:
      return {turn_name(c.index), turn_description(c.index)};
    case ControlName::Tries: return {tries_name, tries_description(c.caption)};
    case ControlName::Reset: return {c.caption, reset_description};
  }
  return {};
}

}  // namespace tumbra::accessible
