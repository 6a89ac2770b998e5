// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's window keeps the toolkit's contract too. Built natively,
// its page is a stand-in that takes every change and forgets it; the
// browser tests drive the real page.
#include "app/web/web_toolkit.h"

#include <gtest/gtest.h>

#include <string>

#include "app/web/dom_window.h"
#include "toolkit_contract.h"

namespace {
std::string last_stop;
}  // namespace

extern "C" {
void tumbra_dom_build(unsigned) {}
void tumbra_dom_add(int, int, double, double, double, double, int, unsigned,
                    const char*, const char*, const char*) {}
void tumbra_dom_visible(int, int, int) {}
void tumbra_dom_place(int, int, double, double) {}
void tumbra_dom_colour(int, unsigned, const char*) {}
void tumbra_dom_caption(int, int, const char*, const char*) {}
void tumbra_dom_show(void) {}
void tumbra_dom_unload(void) {}
int tumbra_dom_message_box(const char*, int, const char*) { return 1; }
void tumbra_dom_stop(const char* what) { last_stop = what; }
}

namespace tumbra {
namespace testing {
INSTANTIATE_TYPED_TEST_SUITE_P(BrowserWindow, ToolkitContract, WebToolkit);
}  // namespace testing

namespace {

// A handler's programming error stops the game: the page is told once, and
// no later event reaches the game.
TEST(BrowserWindow, AProgrammingErrorStopsTheGameForGood) {
  struct Failing final : FormEvents {
    int presses = 0;
    void Form_Load() override {}
    void Turn_MouseDown(std::int16_t, std::int16_t, std::int16_t, float,
                        float) override {
      ++presses;
      throw ProgramError("level 101 is outside 0 to 100");
    }
    void Reset_Click() override {}
  } form;
  WebToolkit window(form);
  window.start();
  const std::uint32_t serial = 1;  // the first load's
  window.turn_mousedown(serial, 1, mouse::left, 0, 0, 0);
  EXPECT_EQ(last_stop, "level 101 is outside 0 to 100");
  window.turn_mousedown(serial, 1, mouse::left, 0, 0, 0);
  window.turn_mousedown(serial + 1, 1, mouse::left, 0, 0, 0);
  EXPECT_EQ(form.presses, 1);
}

}  // namespace
}  // namespace tumbra
