// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
#include "app/web/page_view.h"

#include <string>

#include "app/accessible_text.h"
#include "app/form1_design.h"
#include "app/web/dom_window.h"

namespace tumbra {

namespace {

// 15 twips to the CSS pixel: 1440 twips to the inch at the web's 96 pixels.
constexpr double twips_per_pixel = 1440.0 / 96.0;
double pixels(double twips) { return twips / twips_per_pixel; }

}  // namespace

float PageView::twips(double pixels) {
  return static_cast<float>(pixels * twips_per_pixel);
}

std::int16_t PageView::button_code(int page_button) {
  switch (page_button) {
    case 0: return mouse::left;
    case 1: return mouse::middle;
    case 2: return mouse::right;
    case 3: return mouse::back;
    case 4: return mouse::forward;
    default: return 0;
  }
}

void PageView::open() {
  // The designed family, its TrueType counterpart, its stand-ins, then the
  // browser's sans-serif.
  std::string families = '"' + std::string(design::font_family) + "\", \"" +
                         design::font_outline_family + '"';
  for (const char* family : design::font_stand_ins) {
    families += ", \"" + std::string(family) + '"';
  }
  families += ", sans-serif";
  tumbra_dom_build(model_.serial(), design::caption,
                   pixels(design::client_width), pixels(design::client_height),
                   families.c_str(), design::font_points);
  for (int goal : {0, 1}) {
    tumbra_dom_block(goal, accessible::blocks[goal].name,
                     accessible::blocks[goal].description,
                     pixels(goal * lattice::goal_offset),
                     pixels(design::client_height));
  }
}

void PageView::tell(const Control& c, int what) {
  // A new place, colour or caption may change what a screen reader says.
  const bool naming = shown_ && what != static_cast<int>(Change::Visible);
  const accessible::Spoken said =
      naming ? accessible::spoken(c) : accessible::Spoken{};
  const bool circle = c.name == ControlName::Piece;
  const int block = circle ? int{lattice::in_goal(c.index)} : -1;
  const double left = c.left - (block == 1 ? lattice::goal_offset : 0);
  const bool tries = c.name == ControlName::Tries;
  tumbra_dom_control(
      name_of(c.name), c.index, what, block, pixels(left), pixels(c.top),
      pixels(c.width), pixels(c.height), c.visible ? 1 : 0,
      circle || tries ? static_cast<int>(c.back_color) : -1,
      tries ? static_cast<int>(design::tries_fore_color) : -1,
      design::has_designed_font(c.name) ? 1 : 0, c.caption.c_str(),
      naming ? said.name.c_str() : nullptr, said.description.c_str());
}

void PageView::present(const Control& first) {
  if (!shown_) {
    shown_ = true;
    model_.each_control([this](const Control& c) { tell(c, -2); });
  }
  model_.each_in_tab_order(
      [](const Control& c) { tumbra_dom_tab_next(name_of(c.name), c.index); });
  tumbra_dom_show(name_of(first.name), first.index);
}

void PageView::close() {
  shown_ = false;
  tumbra_dom_unload();
}

BoxAnswer PageView::ask(const std::string& text, BoxStyle style,
                        const std::string& title) {
  const bool critical = style == BoxStyle::CriticalOkOnly;
  return tumbra_dom_message_box(text.c_str(),
                                critical ? accessible::critical_icon : nullptr,
                                title.c_str()) == 2
             ? BoxAnswer::Cancel
             : BoxAnswer::Ok;
}

void PageView::stop(const std::string& what) { tumbra_dom_stop(what.c_str()); }

}  // namespace tumbra
