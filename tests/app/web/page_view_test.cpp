// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's window keeps the toolkit's contract too. Built natively,
// its page is a stand-in that keeps only what each control is called; the
// browser tests drive the real page.
#include "app/web/page_view.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "../../support/stand_in_form.h"
#include "../toolkit_contract.h"
#include "app/web/dom_window.h"

namespace {
std::string last_stop;
// What the page was last told each control is called, by "Piece 7".
std::map<std::string, std::string> spoken_names;
}  // namespace

extern "C" {
void tumbra_dom_build(unsigned, const char*, double, double, const char*,
                      double) {
  spoken_names.clear();
}
void tumbra_dom_block(int, const char*, const char*, double, double) {}
void tumbra_dom_control(const char* name, int index, int, int, double, double,
                        double, double, int, int, int, int, const char*,
                        const char* spoken_name, const char*) {
  if (spoken_name != nullptr) {  // null: the names stay as they were
    spoken_names[std::string(name) + " " + std::to_string(index)] = spoken_name;
  }
}
void tumbra_dom_tab_next(const char*, int) {}
void tumbra_dom_show(const char*, int) {}
void tumbra_dom_unload(void) {}
int tumbra_dom_message_box(const char*, const char*, const char*) { return 1; }
void tumbra_dom_stop(const char* what) { last_stop = what; }
}

namespace tumbra {
namespace testing {
struct BrowserWindow {
  using View = PageView;
  static std::string said(const PageView&, const ControlModel&,
                          ControlName name, std::int16_t index) {
    return spoken_names[std::string(name_of(name)) + " " +
                        std::to_string(index)];
  }
  static void settle() {}
};
INSTANTIATE_TYPED_TEST_SUITE_P(BrowserWindow, ToolkitContract, BrowserWindow);
}  // namespace testing

namespace {

// A handler's programming error stops the game: the page is told once, and
// no later event reaches the game.
TEST(BrowserWindow, AProgrammingErrorStopsTheGameForGood) {
  testing::StandInForm form;
  form.on_press = [] { throw ProgramError("level 101 is outside 0 to 100"); };
  ControlModel model(form);
  PageView page(model);
  model.attach(page);
  model.start();
  const std::uint32_t serial = 1;  // the first load's
  model.turn_mousedown(serial, 1, mouse::left, 0, 0, 0);
  EXPECT_EQ(last_stop, "level 101 is outside 0 to 100");
  model.turn_mousedown(serial, 1, mouse::left, 0, 0, 0);
  model.turn_mousedown(serial + 1, 1, mouse::left, 0, 0, 0);
  EXPECT_EQ(form.presses.size(), 1u);
}

}  // namespace
}  // namespace tumbra
