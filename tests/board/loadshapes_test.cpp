// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "../support/game.h"

namespace tumbra {
namespace {

using testing::HeadlessGame;

struct Place {
  std::int16_t piece;
  float left, top;
};

TEST(Loadshapes, CirclesStandOnTheLatticeBoardLeftGoalEightStepsRight) {
  HeadlessGame game;
  Toolkit& w = game.model;
  const Place places[] = {{1, 0, 0},       {5, 1920, 0},  {6, 0, 480},
                          {15, 1920, 960}, {21, 0, 1920}, {25, 1920, 1920},
                          {26, 3840, 0},   {30, 5760, 0}, {46, 3840, 1920},
                          {50, 5760, 1920}};
  for (const Place& p : places) {
    const ControlRef piece = w.element(ControlName::Piece, p.piece);
    EXPECT_EQ(w.left(piece), p.left) << "piece " << p.piece;
    EXPECT_EQ(w.top(piece), p.top) << "piece " << p.piece;
  }
  for (std::int16_t i = 1; i <= 25; ++i) {
    const ControlRef board = w.element(ControlName::Piece, i);
    const ControlRef goal =
        w.element(ControlName::Piece, static_cast<std::int16_t>(i + 25));
    EXPECT_EQ(w.top(goal), w.top(board));
    EXPECT_EQ(w.left(goal) - w.left(board), 3840.0f);
  }
  const ControlRef piece0 = w.element(ControlName::Piece, 0);
  const ControlRef piece15 = w.element(ControlName::Piece, 15);
  EXPECT_EQ(w.left(piece0), w.left(piece15));
  EXPECT_EQ(w.top(piece0), w.top(piece15));
}

TEST(Loadshapes, TurnPadLiesLikeTheFivePipsOfADie) {
  HeadlessGame game;
  Toolkit& w = game.model;
  const Place pad[] = {{1, 2400, 480},
                       {2, 3360, 480},
                       {3, 2400, 1440},
                       {4, 3360, 1440},
                       {5, 2880, 960}};
  for (const Place& p : pad) {
    const ControlRef button = w.element(ControlName::Turn, p.piece);
    EXPECT_EQ(w.left(button), p.left) << "Turn " << p.piece;
    EXPECT_EQ(w.top(button), p.top) << "Turn " << p.piece;
    EXPECT_EQ(w.caption(button), std::to_string(p.piece));
    EXPECT_TRUE(w.visible(button));
  }
}

TEST(Loadshapes, EveryCircleButTheTemplateIsShown) {
  HeadlessGame game;
  for (std::int16_t i = 1; i <= 50; ++i) {
    EXPECT_TRUE(game.model.visible(game.model.element(ControlName::Piece, i)));
  }
  EXPECT_FALSE(game.model.visible(game.model.element(ControlName::Piece, 0)));
}

TEST(Loadshapes, EveryLoadBuildsTheSameFieldFromTheDesign) {
  HeadlessGame game;
  // The four designed controls and 54 copies, each counted once.
  const auto first_elements = testing::elements(game.model);
  ASSERT_EQ(first_elements.size(), 58u);
  EXPECT_EQ(game.model.live(), 58u);

  auto places = [&] {
    std::vector<std::pair<float, float>> at;
    for (std::int16_t i = 0; i <= 50; ++i) {
      const ControlRef piece = game.model.element(ControlName::Piece, i);
      at.emplace_back(game.model.left(piece), game.model.top(piece));
    }
    return at;
  };
  const auto first_places = places();
  for (int load = 0; load < 3; ++load) {
    game.click_reset();
    EXPECT_EQ(testing::elements(game.model), first_elements);
    EXPECT_EQ(game.model.live(), 58u);
    EXPECT_EQ(places(), first_places);
  }
}

}  // namespace
}  // namespace tumbra
