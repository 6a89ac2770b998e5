// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include "app/accessible_text.h"

#include <gtest/gtest.h>

namespace tumbra {
namespace {

TEST(AccessibleText, TriesCaptionReadsAsWordsAndOddCaptionsPassThrough) {
  EXPECT_EQ(accessible::tries_description(" 0/ 4"),
            "0 tries made; the minimum for this level is 4");
  EXPECT_EQ(accessible::tries_description(" 32767/ 99"),
            "32767 tries made; the minimum for this level is 99");
  EXPECT_EQ(accessible::tries_description("0/5"),
            "0 tries made; the minimum for this level is 5");
  EXPECT_EQ(accessible::tries_description("no count"), "no count");
  EXPECT_EQ(accessible::tries_description(" x/ 4"), " x/ 4");
}

TEST(AccessibleText, EveryTurnButtonDescribesBothMouseButtons) {
  for (std::int16_t i = 1; i <= 4; ++i) {
    const std::string text = accessible::turn_description(i);
    EXPECT_NE(text.find("Left button: a quarter turn clockwise."),
              std::string::npos)
        << i;
    EXPECT_NE(text.find("Right button: a quarter turn counter-clockwise."),
              std::string::npos)
        << i;
  }
  EXPECT_EQ(accessible::turn_description(0), "");
  EXPECT_EQ(accessible::colour_name(pack_colour(0, 0, 255)), "blue");
  EXPECT_EQ(accessible::colour_name(pack_colour(1, 2, 3)), "#010203");
}

}  // namespace
}  // namespace tumbra
