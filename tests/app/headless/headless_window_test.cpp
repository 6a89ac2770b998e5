// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The in-memory window keeps the toolkit's contract, so that what passes
// on it says something about the real window.
#include "app/headless/headless_window.h"

#include <gtest/gtest.h>

#include <vector>

#include "../../support/stand_in_form.h"
#include "../toolkit_contract.h"
#include "app/accessible_text.h"

namespace tumbra {
namespace testing {
// The in-memory window shows nothing: what it would say is the model's.
struct InMemoryWindow : HeadlessWindow {
  using HeadlessWindow::HeadlessWindow;
  std::string said(ControlName name, std::int16_t index) const {
    return accessible::spoken(*find(name, index)).name;
  }
};
INSTANTIATE_TYPED_TEST_SUITE_P(InMemoryWindow, ToolkitContract, InMemoryWindow);
}  // namespace testing

namespace {

TEST(HeadlessWindow, BoxesAreRecordedAnsweredAndSwallowInputWhileOpen) {
  testing::StandInForm recorder;
  HeadlessWindow window(recorder);
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
  EXPECT_TRUE(recorder.presses.empty());
  EXPECT_EQ(recorder.resets, 0);
  window.press_turn(3, mouse::middle);
  const std::vector<std::pair<std::int16_t, std::int16_t>> pressed{
      {3, mouse::middle}};
  EXPECT_EQ(recorder.presses, pressed);
  EXPECT_EQ(window.live_controls(), 4u);  // the four designed controls
}

}  // namespace
}  // namespace tumbra
