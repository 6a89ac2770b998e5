// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The Windows window: its design in pixels at the system's DPI and after a
// change of DPI, its input, its reloads and how it ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
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
#include "app/form1_design.h"
#include "app/game_window.h"
#include "app/win32/fonts.h"
#include "app/win32/window_classes.h"

namespace tumbra {
namespace testing {

INSTANTIATE_TYPED_TEST_SUITE_P(WindowsWindow, PlayScenarios, WinGame);

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
    // A circle is painted by its block; every other control is a window.
    HWND w = v.widget(c.name, c.index);
    EXPECT_EQ(w == nullptr, c.name == ControlName::Piece) << int(c.name);
    if (w != nullptr) {
      EXPECT_EQ(placed(w), expected);
    }
  }
  HWND tries = v.widget(ControlName::Tries, 0);
  EXPECT_EQ(testing::window_text(tries), L" 0/ 4");
  // The face Windows draws the label in, as it chose it.
  const HFONT shown = reinterpret_cast<HFONT>(SendMessageW(tries, WM_GETFONT, 0, 0));
  HDC screen = GetDC(tries);
  HGDIOBJ before = SelectObject(screen, shown);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(screen, LF_FACESIZE, face);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SelectObject(screen, before);
  ReleaseDC(tries, screen);
  EXPECT_EQ(std::wstring(face), designed_family());
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading,
            std::lround(13.5 * v.dpi() / 72));
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
  auto at = [&](const RECT& wanted) {
    return testing::settle_until([&] {
      RECT now;
      GetWindowRect(game.view.window(), &now);
      return EqualRect(&now, &wanted);
    });
  };
  RECT moved = place;
  OffsetRect(&moved, 40, 30);
  for (int i = 0; i < 50; ++i) {
    SetWindowPos(game.view.window(), nullptr, moved.left, moved.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);  // the player moved it
    ASSERT_TRUE(at(moved)) << "moved before reload " << i;
    game.click_reset();
    EXPECT_TRUE(at(place)) << "centred again after reload " << i;
  }
  game.play("L1 L3 R2 R4");  // won by a press whose button the reload retires
  testing::settle();
  EXPECT_EQ(game.state().level, 2);
  EXPECT_EQ(windows_of_this_thread(), windows);
}

// Counts the fonts a control was still showing when they were deleted.
int lost_fonts = 0;
LRESULT CALLBACK watch_fonts(HWND window, UINT message, WPARAM wparam,
                             LPARAM lparam, UINT_PTR, DWORD_PTR) {
  if (message == WM_SETFONT) {
    const auto old = reinterpret_cast<HFONT>(DefSubclassProc(window, WM_GETFONT, 0, 0));
    if (old != nullptr && GetObjectType(old) != OBJ_FONT) ++lost_fonts;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

LONG font_height(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)),
             sizeof font, &font);
  return font.lfHeight;
}

// On a monitor of another DPI, every control, font and circle takes the
// new size, each control given its new font before the old one goes; and
// the Turn buttons follow the system's text size.
TEST(WindowsWindow, AChangeOfDpiRedrawsTheWindowAtTheNewSize) {
  WinGame game;
  WinView& v = game.view;
  lost_fonts = 0;
  for (ControlName name : {ControlName::Turn, ControlName::Reset, ControlName::Tries}) {
    SetWindowSubclass(v.widget(name, name == ControlName::Turn), watch_fonts, 1, 0);
  }
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
  EXPECT_EQ(font_height(v.widget(ControlName::Reset, 0)), -27);
  EXPECT_EQ(lost_fonts, 0);
  // Each block is drawn afresh, all of it, at its new size. (Wine repaints
  // a child it resized all over whatever its class asks, so only the class
  // tells the two apart here.)
  for (bool goal : {false, true}) {
    EXPECT_EQ(GetClassLongPtrW(v.block(goal), GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW),
              CS_HREDRAW | CS_VREDRAW);
  }

  NONCLIENTMETRICSW system{}, larger{};
  system.cbSize = larger.cbSize = sizeof system;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof system, &system, 0);
  larger = system;
  larger.lfMessageFont.lfHeight = system.lfMessageFont.lfHeight * 2;
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof larger, &larger, 0);
  SendMessageW(v.window(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  NONCLIENTMETRICSW now{};
  now.cbSize = sizeof now;
  SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof now, &now, 0, dpi);
  EXPECT_EQ(font_height(v.widget(ControlName::Turn, 1)), now.lfMessageFont.lfHeight);
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof system, &system, 0);
  EXPECT_EQ(lost_fonts, 0);
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

// Windows refusing what the window needs stops the program and names it,
// as the Qt window does. The stop's own box is refused too, so that
// nothing waits for a player.
const wchar_t* refused = nullptr;
LRESULT CALLBACK refuse(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    const wchar_t* type = reinterpret_cast<CBT_CREATEWNDW*>(lparam)->lpcs->lpszClass;
    if (IS_INTRESOURCE(type) ? LOWORD(type) == 32770
                             : lstrcmpW(type, L"#32770") == 0 ||
                                   (refused && lstrcmpW(type, refused) == 0)) {
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void started_refusing(const wchar_t* type) {
  refused = type;
  SetWindowsHookExW(WH_CBT, refuse, nullptr, GetCurrentThreadId());
  GameWindow<WinView> game;
  game.model.start();
}

TEST(WindowsWindowDeathTest, WhatWindowsRefusesStopsTheProgramNamed) {
  const char* said = "^tumbra: stopped by a programming error: ";
  EXPECT_EXIT(started_refusing(L"TumbraForm"), ::testing::ExitedWithCode(1),
              std::string(said) + "the window could not be made");
  EXPECT_EXIT(started_refusing(win32::block_class), ::testing::ExitedWithCode(1),
              std::string(said) + "the window of the play board could not be made");
  EXPECT_EXIT(
      {
        WNDCLASSEXW taken{};
        taken.cbSize = sizeof taken;
        taken.lpfnWndProc = DefWindowProcW;
        taken.hInstance = GetModuleHandleW(nullptr);
        taken.lpszClassName = win32::block_class;
        RegisterClassExW(&taken);
        started_refusing(nullptr);
      },
      ::testing::ExitedWithCode(1),
      std::string(said) + "Windows refused the window class TumbraBlock");
  EXPECT_EXIT(
      {
        GameWindow<WinView> game;
        game.model.start();
        refused = nullptr;
        SetWindowsHookExW(WH_CBT, refuse, nullptr, GetCurrentThreadId());
        run_message_loop(game.view, [](LPMSG, HWND, UINT, UINT) -> BOOL {
          SetLastError(ERROR_INVALID_PARAMETER);
          return -1;
        });
      },
      ::testing::ExitedWithCode(1), std::string(said) + "the message loop failed");
}

}  // namespace
}  // namespace tumbra

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
