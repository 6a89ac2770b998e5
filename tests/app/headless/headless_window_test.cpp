// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The in-memory window keeps the toolkit's contract, so that what passes
// on it says something about the real window.
#include "app/headless/headless_window.h"

#include <gtest/gtest.h>

#include <vector>

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

// A window that writes down the presses and clicks it is given.
struct Recorder final : FormEvents {
  std::vector<std::int16_t> presses;
  int resets = 0;
  void Form_Load() override {}
  void Turn_MouseDown(std::int16_t index, std::int16_t button, std::int16_t,
                      float, float) override {
    presses.push_back(static_cast<std::int16_t>(index * 10 + button));
  }
  void Reset_Click() override { ++resets; }
};

TEST(HeadlessWindow, BoxesAreRecordedAnsweredAndSwallowInputWhileOpen) {
  Recorder recorder;
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
  EXPECT_EQ(recorder.presses, std::vector<std::int16_t>{34});
  EXPECT_EQ(window.live_controls(), 4u);  // the four designed controls
}

}  // namespace
}  // namespace tumbra
