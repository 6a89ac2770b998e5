#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The built game as a player meets it.

Each case starts a private X server, launches the real program, drives it
only from outside with xdotool (real button presses and keys) and reads the
colours of the circles off the screen with ImageMagick. The turns are checked
against a model of the rings written here, apart from the game's own code.
The program is the Qt one, or the Windows one (a .exe) under Wine.

    real_window_test.py --program build/tumbra --artifacts build/real-window
                        [--close-helper build/.../wm_close] [--case NAME]
                        [--screenshot PATH] [--list]
    real_window_test.py --program build-windows-test/tumbra.exe
                        --probe build-windows-test/tests/window_probe.exe
                        --artifacts DIR [--case NAME] [--list]
    real_window_test.py --program build-web/tumbra.html
                        --browser firefox|chromium --artifacts DIR
                        [--case NAME] [--list]

The Qt cases that close the window as a window manager does need the close
helper; without it they are not offered. --list prints the names of the
cases for the program given (for a .exe, the Windows program's; with
--browser, that browser's).
"""

import argparse
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # the source tree holds no build output
from browser_cases import case_no_browser_menu
from by_ear_case import case_by_ear
from desktop import IMPORT, Desktop
from play_cases import (
    case_typical_road_and_the_box, case_presses_match_the_model,
    case_odd_input, case_screen_reader, case_heard_unasked, case_every_level)
from programs import BrowserProgram, QtProgram, WindowsProgram
from ring_model import LEVEL1_START, LEVEL1_GOAL
from waits import CaseFailed, WineLost
from wayland_case import case_wayland
from window_cases import (
    TOOLKIT_OPTIONS, case_window_caption_size_and_centring,
    case_window_manager, case_start_up_failures, case_resize_and_reset,
    case_close_request_ends_the_program, case_terminate, case_scaled,
    case_close_with_the_box_open, case_session_end)


# Each case with what it needs: the settings of its Desktop, or None where
# it brings its own display server; "qt" and "windows" for the programs it
# runs on; "ends" where the program ends in it; "closes" where the Qt
# program needs the close helper; "screenshot" where the README's picture
# is taken after it.
QT, WINDOWS, FIREFOX, CHROMIUM = "qt", "windows", "firefox", "chromium"
CASES = {
    "caption_size_and_centring": (case_window_caption_size_and_centring,
                                  {"args": TOOLKIT_OPTIONS},
                                  {QT, WINDOWS, "screenshot"}),
    "window_manager": (case_window_manager, {"wm": "openbox"},
                       {QT, WINDOWS, "ends"}),
    "start_up_failures": (case_start_up_failures, {"start_game": False},
                          {QT}),
    "wayland": (case_wayland, None, {QT}),
    "typical_road_and_box": (case_typical_road_and_the_box, {},
                             {QT, WINDOWS}),
    "presses_match_model": (case_presses_match_the_model, {}, {QT, WINDOWS}),
    "every_level": (case_every_level, {}, {QT, WINDOWS}),
    "resize_and_reset": (case_resize_and_reset, {}, {QT, WINDOWS}),
    "close_request": (case_close_request_ends_the_program, {},
                      {QT, WINDOWS, "ends", "closes"}),
    "terminate": (case_terminate, {}, {QT, "ends"}),
    "scale_factor_2": (case_scaled, {"scale": 2}, {QT}),
    "scale_150_percent": (case_scaled, {"scale": 1.5}, {WINDOWS}),
    "odd_input": (case_odd_input, {}, {QT, WINDOWS, "ends", "closes"}),
    "screen_reader": (case_screen_reader, {"accessibility": True},
                      {QT, WINDOWS}),
    "heard_unasked": (case_heard_unasked, {}, {WINDOWS}),
    "by_ear": (case_by_ear, {"accessibility": True, "wm": "openbox",
                             "start_game": False}, {QT, FIREFOX, CHROMIUM}),
    "no_browser_menu": (case_no_browser_menu, {"wm": "openbox"},
                        {FIREFOX, CHROMIUM}),
    "close_with_box_open": (case_close_with_the_box_open, {},
                            {WINDOWS, "ends"}),
    "session_end": (case_session_end, {}, {WINDOWS, "ends"}),
}


LOST = "lost"


def program_of(options):
    if options.browser:
        return BrowserProgram(options.program, options.browser)
    if options.program.endswith(".exe"):
        return WindowsProgram(options.program, options.probe)
    return QtProgram(options.program, options.close_helper)


def run_case(name, options):
    function, settings, flags = CASES[name]
    desktop = None
    try:
        if settings is None:
            function(options)
            print(f"PASS {name}")
            return True
        desktop = Desktop(program_of(options), options.artifacts, **settings)
        function(desktop, options)
        if "screenshot" in flags and options.screenshot:
            desktop.click_reset()
            desktop.wait_for_board(LEVEL1_START, LEVEL1_GOAL, "level 1")
            desktop.save_screenshot(options.screenshot)
        if "ends" not in flags and desktop.game is not None \
                and desktop.game.poll() is not None:
            raise CaseFailed(f"the program ended with {desktop.game.poll()}")
        errors = not desktop.program.browser and desktop.stderr_text()
        if errors:
            raise CaseFailed(f"the program wrote to stderr:\n{errors}")
        unserved = len(desktop.unserved)
        print(f"PASS {name}" + (f", {unserved} part(s) not served here"
                                if unserved else ""))
        return True
    except CaseFailed as failure:
        lost = isinstance(failure, WineLost)
        print(f"{'LOST' if lost else 'FAIL'} {name}: {failure}")
        if lost:
            return LOST
        if desktop is not None:
            os.makedirs(options.artifacts, exist_ok=True)
            shot = os.path.join(options.artifacts, f"{name}-failed.png")
            subprocess.run([IMPORT, "-window", "root", shot], env=desktop.env,
                           capture_output=True, timeout=10)
            print(f"  screenshot: {shot}")
            if not desktop.program.browser and desktop.stderr_text():
                print(f"  stderr: {desktop.stderr_text()}")
        return False
    finally:
        if desktop is not None:
            desktop.close()


def run_case_once_more_if_lost(name, options):
    result = run_case(name, options)
    if result == LOST:
        result = run_case(name, options)
    return result is True


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program")
    parser.add_argument("--close-helper")
    parser.add_argument("--probe")
    parser.add_argument("--browser", choices=[FIREFOX, CHROMIUM])
    parser.add_argument("--artifacts")
    parser.add_argument("--case", choices=sorted(CASES), action="append")
    parser.add_argument("--screenshot")
    parser.add_argument("--list", action="store_true")
    options = parser.parse_args()
    kind = options.browser or (
        WINDOWS if (options.program or "").endswith(".exe") else QT)
    runs_on = [name for name, (_, _, flags) in CASES.items() if kind in flags]
    offered = [name for name in runs_on if kind != QT
               or options.close_helper or "closes" not in CASES[name][2]]
    if options.list:
        print(";".join(runs_on))
        return 0
    if not options.program or not options.artifacts:
        parser.error("--program and --artifacts are needed to run cases")
    if kind == WINDOWS and not options.probe:
        parser.error("the Windows program's cases need --probe")
    names = options.case or offered
    unoffered = set(names) - set(offered)
    if unoffered:
        parser.error(f"{', '.join(sorted(unoffered))} need --close-helper")
    results = [run_case_once_more_if_lost(name, options) for name in names]
    passed = sum(results)
    print(f"{passed} passed, {len(results) - passed} failed")
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
