// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The in-memory window keeps the toolkit's contract, so that what passes
// on it says something about the real window.
#include "app/headless_toolkit.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/program_error.h"

namespace tumbra {
namespace {

// A window whose load handler does only what a test asks of it.
struct Probe final : FormEvents {
  Toolkit* toolkit = nullptr;
  int loads = 0;
  std::vector<std::int16_t> presses;
  int resets = 0;
  void Form_Load() override { ++loads; }
  void Turn_MouseDown(std::int16_t index, std::int16_t button, std::int16_t,
                      float, float) override {
    presses.push_back(static_cast<std::int16_t>(index * 10 + button));
  }
  void Reset_Click() override { ++resets; }
};

TEST(HeadlessToolkit, ShowBuildsTheDesignAndRunsTheLoadHandlerOncePerLoad) {
  Probe probe;
  HeadlessToolkit window(probe);
  window.show_window();
  window.show_window();  // already loaded: shown again, not reloaded
  EXPECT_EQ(probe.loads, 1);
  EXPECT_EQ(window.live_controls(), 4u);
  EXPECT_EQ(window.caption(window.element(ControlName::Tries, 0)), "0/5");
  EXPECT_EQ(window.caption(window.element(ControlName::Turn, 1)), "1");
  EXPECT_FALSE(window.visible(window.element(ControlName::Piece, 0)));
  EXPECT_TRUE(window.visible(window.element(ControlName::Reset, 0)));
  window.unload_window();
  window.show_window();
  EXPECT_EQ(probe.loads, 2);
}

TEST(HeadlessToolkit, CreatedElementCopiesItsDesignedElementButStaysHidden) {
  Probe probe;
  HeadlessToolkit window(probe);
  window.show_window();
  const ControlRef model = window.element(ControlName::Piece, 0);
  window.set_back_color(model, pack_colour(1, 2, 3));
  window.create_element(ControlName::Piece, 7);
  const ControlRef copy = window.element(ControlName::Piece, 7);
  EXPECT_FALSE(window.visible(copy));
  EXPECT_EQ(window.left(copy), 1920.0f);
  EXPECT_EQ(window.top(copy), 960.0f);
  EXPECT_EQ(window.back_color(copy), pack_colour(1, 2, 3));
  window.set_top(copy, 123.25f);
  EXPECT_EQ(window.top(copy), 123.25f);
}

TEST(HeadlessToolkit, MisuseIsAProgramErrorNotAQuietFailure) {
  Probe probe;
  HeadlessToolkit window(probe);
  EXPECT_THROW(window.element(ControlName::Turn, 1), ProgramError);
  window.show_window();
  EXPECT_THROW(window.element(ControlName::Piece, 1), ProgramError);
  EXPECT_THROW(window.create_element(ControlName::Turn, 1), ProgramError);
  EXPECT_THROW(window.create_element(ControlName::Tries, 2), ProgramError);
  EXPECT_THROW(window.set_caption(window.element(ControlName::Piece, 0), "x"),
               ProgramError);
  const ControlRef old = window.element(ControlName::Turn, 1);
  window.unload_window();
  window.show_window();
  EXPECT_THROW(window.caption(old), ProgramError);  // stale after a reload
}

TEST(HeadlessToolkit, BoxesAreRecordedAnsweredAndSwallowInputWhileOpen) {
  Probe probe;
  HeadlessToolkit window(probe);
  window.show_window();
  window.answer_boxes_with([&](const MessageBoxRecord&) {
    window.press_turn(1, mouse::left);  // the box is modal
    window.click_reset();
    return BoxAnswer::Cancel;
  });
  EXPECT_EQ(window.message_box("text", BoxStyle::OkCancel, "title"),
            BoxAnswer::Cancel);
  ASSERT_EQ(window.boxes().size(), 1u);
  EXPECT_EQ(window.boxes()[0].text, "text");
  EXPECT_EQ(window.boxes()[0].style, BoxStyle::OkCancel);
  EXPECT_EQ(window.boxes()[0].title, "title");
  EXPECT_TRUE(probe.presses.empty());
  EXPECT_EQ(probe.resets, 0);
  window.press_turn(3, mouse::middle);
  EXPECT_EQ(probe.presses, std::vector<std::int16_t>{34});
}

}  // namespace
}  // namespace tumbra
