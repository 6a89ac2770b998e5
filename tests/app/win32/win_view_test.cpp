// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Windows window: its design in pixels at the system's DPI and after a
// change of DPI, its input, its reloads, what screen readers read of it and
// how it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "../../play/play_scenarios.h"
#include "../../play/random_play.h"
#include "../../support/stand_in_form.h"
#include "../../support/win_game.h"
#include "../toolkit_contract.h"
#include "app/form1_design.h"

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

INSTANTIATE_TYPED_TEST_SUITE_P(WindowsWindow, PlayScenarios, WinGame);
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

// The game with every Turn press written down before it sees it.
struct RecordedGame {
  Form1 form;
  testing::StandInForm events;
  ControlModel model{events};
  WinView view{model};
  RecordedGame() {
    events.game = &form;
    form.attach(model);
    model.attach(view);
    model.show_window();
  }
  ~RecordedGame() {
    model.unload_window();
    testing::settle();
  }
};

// Where a control's window stands in the client area of its form.
PixelRect placed(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

TEST(WindowsWindow, ShowsTheDesignedWindowCentredWithEveryControlInItsCell) {
  WinGame game;
  WinView& v = game.view;
  HWND window = v.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(testing::window_text(window), L"Tumbra!");
  const Twips twips = Twips::at_dpi(v.dpi());
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, twips.to_pixels(6255));
  EXPECT_EQ(client.bottom, twips.to_pixels(2415));

  RECT outer;
  GetWindowRect(window, &outer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  EXPECT_LE(std::abs((outer.left + outer.right) - (area.left + area.right)), 2);
  EXPECT_LE(std::abs((outer.top + outer.bottom) - (area.top + area.bottom)), 2);

  struct Cell {
    ControlName name;
    std::int16_t index;
    int left, top, width, height;  // twips
  };
  const Cell cells[] = {
      {ControlName::Piece, 1, 0, 0, 495, 495},
      {ControlName::Piece, 50, 5760, 1920, 495, 495},
      {ControlName::Turn, 1, 2400, 480, 495, 495},
      {ControlName::Turn, 5, 2880, 960, 495, 495},
      {ControlName::Tries, 0, 2400, 0, 1455, 495},
      {ControlName::Reset, 0, 2400, 1920, 1455, 495},
  };
  for (const Cell& c : cells) {
    const PixelRect expected = twips.rect(c.left, c.top, c.width, c.height);
    EXPECT_EQ(v.pixels(c.name, c.index), expected) << int(c.name) << c.index;
    if (HWND w = v.widget(c.name, c.index)) {
      EXPECT_EQ(placed(w), expected);
    }
  }
  HWND tries = v.widget(ControlName::Tries, 0);
  EXPECT_EQ(testing::window_text(tries), L" 0/ 4");
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(tries, WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), designed_family());
  EXPECT_EQ(font.lfHeight, -std::lround(13.5 * v.dpi() / 72));
  // Red on green, whatever the theme.
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_NE(SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(tries)),
            0);
  EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(0, 255, 0));
  DeleteDC(dc);
  EXPECT_EQ(GetFocus(), v.widget(ControlName::Turn, 1));
}

TEST(WindowsWindow, PressesArriveWithTheirCodesAndNoKeyTurns) {
  RecordedGame game;
  WinView& v = game.view;
  HWND turn3 = v.widget(ControlName::Turn, 3);
  SendMessageW(turn3, WM_RBUTTONDOWN, 0, MAKELPARAM(8, 8));
  // Delivered on the press, before any release.
  ASSERT_EQ(game.events.presses.size(), 1u);
  SendMessageW(turn3, WM_RBUTTONUP, 0, MAKELPARAM(8, 8));
  EXPECT_EQ(SendMessageW(turn3, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  testing::send_press(v.widget(ControlName::Turn, 5), mouse::middle);
  testing::send_press(v.widget(ControlName::Turn, 2), 8);
  testing::send_press(v.widget(ControlName::Turn, 4), 16);
  // The second of two quick presses comes as a double-click: a press too.
  SendMessageW(v.widget(ControlName::Turn, 1), WM_LBUTTONDBLCLK, 0,
               MAKELPARAM(8, 8));
  SendMessageW(v.widget(ControlName::Turn, 1), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
  const std::vector<std::pair<std::int16_t, std::int16_t>> expected{
      {3, mouse::right}, {5, mouse::middle}, {2, 8}, {4, 16}, {1, mouse::left}};
  EXPECT_EQ(game.events.presses, expected);
  EXPECT_EQ(game.form.state().trycount, 2);

  // Keys, through the program's own message loop: Tab reaches the Turn
  // buttons in order, then Reset; on a Turn button no key turns, on Reset
  // the space bar and Return click.
  auto key = [&](WPARAM code) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, code, 1);
    PostMessageW(focus, WM_KEYUP, code, 0xC0000001);
    testing::settle(&v);
  };
  for (WPARAM code : {VK_SPACE, VK_RETURN}) {
    SetFocus(v.widget(ControlName::Turn, 1));
    key(code);
    for (std::int16_t next : {2, 3, 4, 5}) {
      key(VK_TAB);
      EXPECT_EQ(GetFocus(), v.widget(ControlName::Turn, next));
      key(code);
    }
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), v.widget(ControlName::Reset, 0));
    key(code);
  }
  EXPECT_EQ(game.events.presses.size(), expected.size());
  EXPECT_EQ(game.form.state().trycount, 0);  // two Resets since the turns
  EXPECT_EQ(game.events.resets, 2);
}

// Every window of this thread, children included.
int windows_of_this_thread() {
  int count = 0;
  auto add = [](HWND window, LPARAM total) -> BOOL {
    ++*reinterpret_cast<int*>(total);
    EnumChildWindows(
        window,
        [](HWND, LPARAM t) -> BOOL {
          ++*reinterpret_cast<int*>(t);
          return TRUE;
        },
        total);
    return TRUE;
  };
  EnumThreadWindows(GetCurrentThreadId(), add, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(WindowsWindow, ReloadsLeaveNoOldWindowAlive) {
  WinGame game;
  testing::settle();
  const int windows = windows_of_this_thread();
  RECT place;
  GetWindowRect(game.view.window(), &place);
  for (int i = 0; i < 50; ++i) {
    SetWindowPos(game.view.window(), nullptr, place.left + 40, place.top + 30,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // the player moved it
    game.click_reset();
    testing::settle();
    RECT now;
    GetWindowRect(game.view.window(), &now);
    EXPECT_TRUE(EqualRect(&now, &place)) << "centred again after reload " << i;
  }
  game.play("L1 L3 R2 R4");  // won by a press whose button the reload retires
  testing::settle();
  EXPECT_EQ(game.state().level, 2);
  EXPECT_EQ(windows_of_this_thread(), windows);
}

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
      {v.widget(ControlName::Tries, 0), "Tries",
       "0 tries made; the minimum for this level is 4", ROLE_SYSTEM_STATICTEXT},
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
  EXPECT_EQ(testing::read_accessible(v.widget(ControlName::Tries, 0)).description,
            "1 try made; the minimum for this level is 4");
  for (LONG child : {1, 3, 11, 13}) {
    EXPECT_NE(std::find(heard.begin(), heard.end(),
                        std::make_pair(v.block(false), child)),
              heard.end())
        << "circle " << child;
  }
}

// On a monitor of another DPI, every control and font takes the new size.
TEST(WindowsWindow, AChangeOfDpiRedrawsTheWindowAtTheNewSize) {
  WinGame game;
  WinView& v = game.view;
  const UINT dpi = 144;
  const Twips twips = Twips::at_dpi(dpi);
  RECT suggested{100, 100, 100 + twips.to_pixels(6255),
                 100 + twips.to_pixels(2415)};
  AdjustWindowRectExForDpi(&suggested, GetWindowLongW(v.window(), GWL_STYLE),
                           FALSE, GetWindowLongW(v.window(), GWL_EXSTYLE), dpi);
  SendMessageW(v.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(v.dpi(), dpi);
  RECT client;
  GetClientRect(v.window(), &client);
  EXPECT_EQ(client.right, 626);  // 6255 twips at 144 DPI: 625.5, rounded
  EXPECT_EQ(client.bottom, 242);
  EXPECT_EQ(placed(v.widget(ControlName::Turn, 4)), twips.rect(3360, 1440, 495, 495));
  EXPECT_EQ(placed(v.block(true)), twips.rect(3840, 0, 2415, 2415));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(
                 v.widget(ControlName::Reset, 0), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -27);
}

// A request to end, from Windows or the player, ends the program at once:
// an open box closes, and no window shows again.
TEST(WindowsWindow, ACloseWhileABoxIsOpenEndsTheProgram) {
  WinGame game;
  game.play("L1 L3 R2");
  static HWND form;
  form = game.view.window();
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR timer, DWORD) {
    if (testing::open_box() == nullptr) return;
    KillTimer(nullptr, timer);
    SendMessageW(form, WM_CLOSE, 0, 0);
  });
  testing::send_press(game.view.widget(ControlName::Turn, 4), mouse::right);
  EXPECT_TRUE(game.view.ending());
  EXPECT_EQ(testing::open_box(), nullptr);
  EXPECT_FALSE(IsWindowVisible(game.view.window()));
  MSG quit;
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

TEST(WindowsWindow, TheEndOfTheSessionEndsTheProgram) {
  WinGame game;
  EXPECT_EQ(SendMessageW(game.view.window(), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(game.view.window(), WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(game.view.ending());
  MSG quit;
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

TEST(WindowsWindow, TwoThousandRandomEventsKeepEveryInvariant) {
  WinGame game;
  const std::uint64_t seed = testing::random_play_seed();
  const testing::RandomPlayPlan plan{testing::scaled_events(2'000),
                                     {1, 2, 3, 4, 5},
                                     {1, 2, 4, 8, 16, 1, 2},
                                     1.0 / 200};
  const auto report = testing::random_play(game, plan, seed);
  testing::print_report("Windows window", seed, report);
  EXPECT_EQ(report.events, plan.events);
}

}  // namespace
}  // namespace tumbra

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
