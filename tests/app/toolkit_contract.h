// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What toolkit.h promises, held against the control model shown by every
// view: a test file instantiates the suite with a layer type naming its
// `View`, whose said(view, model, name, index) reads back what the view
// tells a screen reader of a circle, and whose settle() lets a closed
// window go.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "../support/stand_in_form.h"
#include "app/control_model.h"
#include "toolkit/program_error.h"
#include "toolkit/toolkit.h"

namespace tumbra::testing {

template <class Layer>
class ToolkitContract : public ::testing::Test {
 protected:
  ToolkitContract() { window.attach(view); }
  ~ToolkitContract() override {
    window.unload_window();
    Layer::settle();
  }
  std::string said(ControlName name, std::int16_t index) const {
    return Layer::said(view, window, name, index);
  }

  StandInForm form;  // its load handler does nothing
  ControlModel window{form};
  typename Layer::View view{window};
};
TYPED_TEST_SUITE_P(ToolkitContract);

TYPED_TEST_P(ToolkitContract, ShowingBuildsTheDesignAndLoadsOncePerLoad) {
  Toolkit& w = this->window;
  w.show_window();
  w.show_window();  // already loaded: shown again, not reloaded
  EXPECT_EQ(this->form.loads, 1);
  EXPECT_EQ(w.caption(w.element(ControlName::Tries, 0)), "0/5");
  EXPECT_EQ(w.caption(w.element(ControlName::Turn, 1)), "1");
  EXPECT_EQ(w.caption(w.element(ControlName::Reset, 0)), "Reset");
  EXPECT_FALSE(w.visible(w.element(ControlName::Piece, 0)));
  EXPECT_TRUE(w.visible(w.element(ControlName::Turn, 1)));
  w.unload_window();
  w.show_window();
  EXPECT_EQ(this->form.loads, 2);
}

TYPED_TEST_P(ToolkitContract, ACreatedElementCopiesItsDesignedElementHidden) {
  Toolkit& w = this->window;
  w.show_window();
  const ControlRef piece0 = w.element(ControlName::Piece, 0);
  w.set_back_color(piece0, pack_colour(1, 2, 3));
  w.create_element(ControlName::Piece, 7);
  w.create_element(ControlName::Turn, 4);
  const ControlRef piece = w.element(ControlName::Piece, 7);
  const ControlRef turn = w.element(ControlName::Turn, 4);
  EXPECT_FALSE(w.visible(piece));
  EXPECT_FALSE(w.visible(turn));
  EXPECT_EQ(w.back_color(piece), pack_colour(1, 2, 3));
  EXPECT_EQ(w.caption(turn), "1");
  const struct {
    ControlRef ref;
    float left, top;
  } places[] = {{piece, 1920, 960}, {turn, 2400, 480}};
  for (const auto& p : places) {
    EXPECT_EQ(w.left(p.ref), p.left);
    EXPECT_EQ(w.top(p.ref), p.top);
  }
  w.show_control(turn);
  EXPECT_TRUE(w.visible(turn));
  EXPECT_THROW(w.create_element(ControlName::Turn, 4), ProgramError);
  EXPECT_THROW(w.create_element(ControlName::Tries, 2), ProgramError);
}

// Values read back are exactly the values set, colours of any packing and
// places off the lattice included.
TYPED_TEST_P(ToolkitContract, WhatIsReadBackIsWhatWasSet) {
  Toolkit& w = this->window;
  w.show_window();
  const ControlRef piece = w.element(ControlName::Piece, 0);
  for (Colour colour : {pack_colour(0, 0, 0), pack_colour(255, 255, 255),
                        pack_colour(1, 2, 3), pack_colour(255, 0, 128)}) {
    w.set_back_color(piece, colour);
    EXPECT_EQ(w.back_color(piece), colour);
  }
  w.set_top(piece, 123.25f);
  w.set_left(piece, -7.5f);
  EXPECT_EQ(w.top(piece), 123.25f);
  EXPECT_EQ(w.left(piece), -7.5f);
  const ControlRef tries = w.element(ControlName::Tries, 0);
  w.set_caption(tries, " 12/ 99");
  EXPECT_EQ(w.caption(tries), " 12/ 99");
}

TYPED_TEST_P(ToolkitContract, AReferenceFromAnUnloadedWindowFailsEveryUse) {
  Toolkit& w = this->window;
  EXPECT_THROW(w.element(ControlName::Turn, 1), ProgramError);  // not loaded
  w.show_window();
  EXPECT_THROW(w.element(ControlName::Piece, 1), ProgramError);  // not made
  EXPECT_THROW(w.set_caption(w.element(ControlName::Piece, 0), "x"),
               ProgramError);
  const ControlRef piece = w.element(ControlName::Piece, 0);
  const ControlRef turn = w.element(ControlName::Turn, 1);
  w.unload_window();
  w.show_window();
  const std::vector<std::function<void()>> uses{
      [&] { w.show_control(turn); },
      [&] { w.visible(turn); },
      [&] { w.set_left(turn, 0); },
      [&] { w.set_top(turn, 0); },
      [&] { w.left(turn); },
      [&] { w.top(turn); },
      [&] { w.set_caption(turn, "x"); },
      [&] { w.caption(turn); },
      [&] { w.set_back_color(piece, 0); },
      [&] { w.back_color(piece); },
  };
  for (std::size_t i = 0; i < uses.size(); ++i) {
    EXPECT_THROW(uses[i](), ProgramError) << "use " << i;
  }
}

// A circle is named by the cell it stands in and the colour it shows now,
// after every move and every new colour; only a circle takes a colour.
TYPED_TEST_P(ToolkitContract,
             CirclesAreSpokenByTheirPlaceAndColourAsTheyStand) {
  auto& w = this->window;
  w.show_window();
  for (std::int16_t i : {7, 32}) {
    w.create_element(ControlName::Piece, i);
    w.show_control(w.element(ControlName::Piece, i));
  }
  const ControlRef board = w.element(ControlName::Piece, 7);
  const ControlRef goal = w.element(ControlName::Piece, 32);
  w.set_top(board, 480);
  w.set_left(board, 960);
  w.set_top(goal, 1920);
  w.set_left(goal, 3840 + 480);
  EXPECT_EQ(this->said(ControlName::Piece, 7), "Play board, row 2, column 3, white");
  EXPECT_EQ(this->said(ControlName::Piece, 32), "Goal picture, row 5, column 2, white");
  w.set_back_color(board, pack_colour(255, 0, 0));
  w.set_top(goal, 0);
  w.set_back_color(goal, pack_colour(0, 0, 0));
  EXPECT_EQ(this->said(ControlName::Piece, 7), "Play board, row 2, column 3, red");
  EXPECT_EQ(this->said(ControlName::Piece, 32), "Goal picture, row 1, column 2, black");
  for (ControlName name : {ControlName::Turn, ControlName::Tries}) {
    const ControlRef other = w.element(name, name == ControlName::Turn);
    EXPECT_THROW(w.set_back_color(other, 0), ProgramError);
    EXPECT_THROW(w.back_color(other), ProgramError);
  }
}

REGISTER_TYPED_TEST_SUITE_P(ToolkitContract,
                            ShowingBuildsTheDesignAndLoadsOncePerLoad,
                            ACreatedElementCopiesItsDesignedElementHidden,
                            WhatIsReadBackIsWhatWasSet,
                            AReferenceFromAnUnloadedWindowFailsEveryUse,
                            CirclesAreSpokenByTheirPlaceAndColourAsTheyStand);

}  // namespace tumbra::testing
