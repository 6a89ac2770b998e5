// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/web/web_toolkit.h"

#include <exception>
#include <string>

#include "app/accessible_text.h"
#include "app/form1_design.h"
#include "app/web/dom_window.h"
#include "toolkit/program_error.h"

namespace tumbra {

namespace {

// 15 twips to the CSS pixel: 1440 twips to the inch at the web's 96 pixels.
constexpr double twips_per_pixel = 15.0;

double pixels(float twips) { return twips / twips_per_pixel; }

// What a screen reader says of a control: its name and its description.
struct Spoken {
  std::string name, description;
};

Spoken spoken(ControlName name, std::int16_t index,
              const ControlTable::Control& c) {
  switch (name) {
    case ControlName::Piece: {
      const accessible::Cell cell =
          accessible::circle_cell(index, c.left, c.top);
      return {accessible::circle_name(cell.row, cell.column, c.back_color), ""};
    }
    case ControlName::Turn:
      return {accessible::turn_name(index),
              accessible::turn_description(index)};
    case ControlName::Tries:
      return {accessible::tries_name, accessible::tries_description(c.caption)};
    case ControlName::Reset: return {c.caption, accessible::reset_description};
  }
  return {};
}

}  // namespace

template <class Handler>
void WebToolkit::dispatch(Handler&& handler) {
  if (stopped_) return;
  try {
    handler();
  } catch (const std::exception& error) {
    stopped_ = true;
    tumbra_dom_stop(error.what());
  }
}

void WebToolkit::start() {
  dispatch([&] { show_window(); });
}

void WebToolkit::turn_mousedown(std::uint32_t serial, std::int16_t index,
                                std::int16_t button, std::int16_t shift,
                                float x, float y) {
  if (!table_.loaded() || serial != table_.serial()) return;
  dispatch([&] { events_.Turn_MouseDown(index, button, shift, x, y); });
}

void WebToolkit::reset_click(std::uint32_t serial) {
  if (!table_.loaded() || serial != table_.serial()) return;
  dispatch([&] { events_.Reset_Click(); });
}

void WebToolkit::add_to_page(ControlName name, std::int16_t index,
                             const ControlTable::Control& c) {
  const Spoken said = spoken(name, index, c);
  tumbra_dom_add(static_cast<int>(name), index, pixels(c.left), pixels(c.top),
                 pixels(c.width), pixels(c.height), c.visible ? 1 : 0,
                 c.back_color, c.caption.c_str(), said.name.c_str(),
                 said.description.c_str());
}

void WebToolkit::show_window() {
  if (!table_.loaded()) {
    table_.load_design();
    tumbra_dom_build(table_.serial());
    for (const design::Control& c : design::controls) {
      add_to_page(c.name, c.index, table_.at(table_.element(c.name, c.index)));
    }
    events_.Form_Load();
  }
  tumbra_dom_show();
}

void WebToolkit::unload_window() {
  table_.unload();
  tumbra_dom_unload();
}

ControlRef WebToolkit::element(ControlName name, std::int16_t index) {
  return table_.element(name, index);
}

void WebToolkit::create_element(ControlName array, std::int16_t index) {
  add_to_page(array, index, table_.create(array, index));
}

void WebToolkit::show_control(ControlRef control) {
  table_.at(control).visible = true;
  tumbra_dom_visible(static_cast<int>(control.name), control.index, 1);
}

bool WebToolkit::visible(ControlRef control) {
  return table_.at(control).visible;
}

void WebToolkit::set_left(ControlRef control, float twips) {
  ControlTable::Control& c = table_.at(control);
  c.left = twips;
  tumbra_dom_place(static_cast<int>(control.name), control.index,
                   pixels(c.left), pixels(c.top));
}

void WebToolkit::set_top(ControlRef control, float twips) {
  ControlTable::Control& c = table_.at(control);
  c.top = twips;
  tumbra_dom_place(static_cast<int>(control.name), control.index,
                   pixels(c.left), pixels(c.top));
}

float WebToolkit::left(ControlRef control) { return table_.at(control).left; }
float WebToolkit::top(ControlRef control) { return table_.at(control).top; }

void WebToolkit::set_back_color(ControlRef piece, Colour colour) {
  if (piece.name != ControlName::Piece) {
    throw ProgramError("only a Piece takes a colour");
  }
  ControlTable::Control& c = table_.at(piece);
  if (c.back_color == colour) return;
  c.back_color = colour;
  tumbra_dom_colour(piece.index, colour,
                    spoken(piece.name, piece.index, c).name.c_str());
}

Colour WebToolkit::back_color(ControlRef piece) {
  if (piece.name != ControlName::Piece) {
    throw ProgramError("only a Piece has a colour");
  }
  return table_.at(piece).back_color;
}

void WebToolkit::set_caption(ControlRef control, const std::string& text) {
  if (control.name == ControlName::Piece) {
    throw ProgramError("a Piece has no caption");
  }
  ControlTable::Control& c = table_.at(control);
  c.caption = text;
  tumbra_dom_caption(
      static_cast<int>(control.name), control.index, text.c_str(),
      spoken(control.name, control.index, c).description.c_str());
}

std::string WebToolkit::caption(ControlRef control) {
  return table_.at(control).caption;
}

BoxAnswer WebToolkit::message_box(const std::string& text, BoxStyle style,
                                  const std::string& title) {
  return tumbra_dom_message_box(text.c_str(), static_cast<int>(style),
                                title.c_str()) == 2
             ? BoxAnswer::Cancel
             : BoxAnswer::Ok;
}

}  // namespace tumbra
