// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The in-memory window keeps the toolkit's contract, so that what passes
// on it says something about the real window.
#include "app/headless/headless_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "../../support/recording_view.h"
#include "../../support/stand_in_form.h"
#include "../toolkit_contract.h"
#include "app/accessible_text.h"

namespace tumbra {
namespace testing {
// The in-memory window shows nothing: what it would say is the model's.
struct InMemoryWindow {
  using View = HeadlessView;
  static std::string said(const HeadlessView&, const ControlModel& model,
                          ControlName name, std::int16_t index) {
    return accessible::spoken(*model.find(name, index)).name;
  }
  static void settle() {}
};
INSTANTIATE_TYPED_TEST_SUITE_P(InMemoryWindow, ToolkitContract, InMemoryWindow);
}  // namespace testing

namespace {

TEST(HeadlessView, BoxesAreRecordedAnsweredAndSwallowInputWhileOpen) {
  testing::StandInForm recorder;
  ControlModel model(recorder);
  HeadlessView view(model);
  testing::RecordingView watched(view, [&](const testing::MessageBoxRecord&,
                                           BoxAnswer a) { view.answer = a; });
  model.attach(watched);
  model.show_window();
  watched.answer = [&](const testing::MessageBoxRecord&) {
    view.press_turn(1, mouse::left);  // the box is modal
    view.click_reset();
    return BoxAnswer::Cancel;
  };
  EXPECT_EQ(model.message_box("text", BoxStyle::OkCancel, "title"),
            BoxAnswer::Cancel);
  ASSERT_EQ(watched.boxes.size(), 1u);
  EXPECT_EQ(watched.boxes[0].text, "text");
  EXPECT_EQ(watched.boxes[0].style, BoxStyle::OkCancel);
  EXPECT_EQ(watched.boxes[0].title, "title");
  EXPECT_TRUE(recorder.presses.empty());
  EXPECT_EQ(recorder.resets, 0);
  view.press_turn(3, mouse::middle);
  const std::vector<std::pair<std::int16_t, std::int16_t>> pressed{
      {3, mouse::middle}};
  EXPECT_EQ(recorder.presses, pressed);
  EXPECT_EQ(model.live(), 4u);  // the four designed controls
}

// A press or click from a window that a reload has retired is the old
// window's: the model passes it on to no one.
TEST(HeadlessView, InputFromAnUnloadedWindowReachesNoHandler) {
  testing::StandInForm recorder;
  ControlModel model(recorder);
  HeadlessView view(model);
  model.attach(view);
  model.show_window();
  const std::uint32_t old = model.serial();
  model.unload_window();
  model.show_window();
  model.turn_mousedown(old, 1, mouse::left, 0, 0, 0);
  model.reset_click(old);
  EXPECT_TRUE(recorder.presses.empty());
  EXPECT_EQ(recorder.resets, 0);
  model.turn_mousedown(model.serial(), 1, mouse::left, 0, 0, 0);
  EXPECT_EQ(recorder.presses.size(), 1u);
}

}  // namespace
}  // namespace tumbra
