// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What screen readers read of the Windows window, through Active
// Accessibility, as another program reads it, and the toolkit's contract
// held against the window with its circles read so.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "../../support/win_game.h"
#include "../toolkit_contract.h"

namespace tumbra {
namespace testing {

// What a screen reader reads of the child of `window`'s accessible object
// that stands at `rect` on the screen; or of the object itself, when `rect`
// is empty.
struct Read {
  std::string name, description;
  long role = 0;
};
inline Read read_accessible(HWND window, RECT rect = {}) {
  Read read;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    read.name = "<no accessible object>";
    return read;
  }
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = CHILDID_SELF;
  if (!IsRectEmpty(&rect)) {
    long count = 0;
    object->get_accChildCount(&count);
    child.lVal = -1;
    for (long i = 1; i <= count; ++i) {
      VARIANT at{};
      at.vt = VT_I4;
      at.lVal = i;
      long x, y, w, h;
      if (SUCCEEDED(object->accLocation(&x, &y, &w, &h, at)) &&
          x == rect.left && y == rect.top && w == rect.right - rect.left &&
          h == rect.bottom - rect.top) {
        child.lVal = i;
      }
    }
  }
  BSTR text = nullptr;
  if (object->get_accName(child, &text) == S_OK) {
    read.name = narrow(text);
    SysFreeString(text);
  }
  if (object->get_accDescription(child, &text) == S_OK) {
    read.description = narrow(text);
    SysFreeString(text);
  }
  VARIANT role;
  if (object->get_accRole(child, &role) == S_OK) read.role = role.lVal;
  object->Release();
  return read;
}

// A circle's place on the screen.
inline RECT on_screen(const WinView& view, std::int16_t piece) {
  const PixelRect at = view.pixels(ControlName::Piece, piece);
  POINT origin{at.x, at.y};
  ClientToScreen(view.window(), &origin);
  return {origin.x, origin.y, origin.x + at.width, origin.y + at.height};
}

struct WinLayer {
  using View = WinView;
  static std::string said(const WinView& view, const ControlModel&,
                          ControlName, std::int16_t index) {
    return read_accessible(view.block(index >= 26), on_screen(view, index)).name;
  }
  static void settle() { testing::settle(); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(WindowsWindow, ToolkitContract, WinLayer);
}  // namespace testing

namespace {

using testing::WinGame;

// The names every window gives, read through Active Accessibility, and
// screen readers told of each circle whose colour a turn changed.
TEST(WindowsWindow, ScreenReadersReadEveryControlAndHearOfEachNewColour) {
  WinGame game;
  WinView& v = game.view;
  struct Expected {
    HWND window;
    const char* name;
    const char* description;
    long role;
  };
  const Expected expected[] = {
      {v.widget(ControlName::Turn, 5), "Turn 5",
       "Turns the ring of eight circles around the centre of the centre "
       "group of the play board. Left button: one place counter-clockwise. "
       "Right button: one place clockwise.",
       ROLE_SYSTEM_PUSHBUTTON},
      {v.widget(ControlName::Reset, 0), "Reset",
       "Starts the game over at level 1", ROLE_SYSTEM_PUSHBUTTON},
      // A live region, heard by its name.
      {v.widget(ControlName::Tries, 0),
       "0 tries made; the minimum for this level is 4", "Tries",
       ROLE_SYSTEM_STATICTEXT},
      {v.block(false), "Play board",
       "Five rows of five circles, turned by the Turn buttons",
       ROLE_SYSTEM_GROUPING},
      {v.block(true), "Goal picture",
       "The colours the play board must show to finish the level",
       ROLE_SYSTEM_GROUPING},
  };
  for (const Expected& e : expected) {
    const testing::Read read = testing::read_accessible(e.window);
    EXPECT_EQ(read.name, e.name);
    EXPECT_EQ(read.description, e.description);
    EXPECT_EQ(read.role, e.role) << e.name;
  }
  auto circle = [&](std::int16_t piece) {
    return testing::read_accessible(v.block(piece >= 26),
                                    testing::on_screen(v, piece));
  };
  EXPECT_EQ(circle(3).name, "Play board, row 1, column 3, red");
  EXPECT_EQ(circle(3).role, ROLE_SYSTEM_GRAPHIC);
  EXPECT_EQ(circle(50).name, "Goal picture, row 5, column 5, red");

  static std::vector<std::pair<HWND, LONG>> heard;
  heard.clear();
  HWINEVENTHOOK hook = SetWinEventHook(
      EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
      [](HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
         DWORD) {
        if (object == OBJID_CLIENT) heard.emplace_back(window, child);
      },
      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  game.left(1);  // red moves from circles 3 and 11 to 13 and 1
  testing::settle();
  UnhookWinEvent(hook);
  EXPECT_EQ(circle(3).name, "Play board, row 1, column 3, white");
  EXPECT_EQ(circle(13).name, "Play board, row 3, column 3, red");
  EXPECT_EQ(testing::read_accessible(v.widget(ControlName::Tries, 0)).name,
            "1 try made; the minimum for this level is 4");
  for (LONG child : {1, 3, 11, 13}) {
    EXPECT_NE(std::find(heard.begin(), heard.end(),
                        std::make_pair(v.block(false), child)),
              heard.end())
        << "circle " << child;
  }
}

}  // namespace
}  // namespace tumbra
