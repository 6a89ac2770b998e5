#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The built game as a player meets it.

Each case starts a private X server, launches the real program, drives it
only from outside with xdotool (real button presses and keys) and reads the
colours of the circles off the screen with ImageMagick. The turns are checked
against a model of the rings written here, apart from the game's own code.

    real_window_test.py --program build/tumbra --artifacts build/real-window
                        [--close-helper build/.../wm_close] [--case NAME]
                        [--screenshot PATH] [--list]

The cases that close the window as a window manager does need the close
helper; without it they are not offered. --list prints the cases' names.
"""

import argparse
import os
import re
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # the source tree holds no build output
from desktop import (
    IMPORT, SCREEN, DEADLINE, CLIENT, COLOUR_NAMES, LEVEL1_START,
    LEVEL1_GOAL, LEVEL2_START, LEVEL2_GOAL, TYPICAL_ROAD, CaseFailed,
    model_press, run, wait_until, Desktop, assert_equal, assert_centred,
    focused, open_box_by_typical_road, close_box, wait_for_exit)
from wayland_case import case_wayland

# Options Qt would take from the command line; the game takes none.
TOOLKIT_OPTIONS = ["-qwindowtitle", "X", "-qwindowgeometry", "10x10+0+0",
                   "-style", "windows", "--help"]


def case_window_caption_size_and_centring(d, options):
    # Started with TOOLKIT_OPTIONS, which change nothing.
    name = d.xdotool("getwindowname", d.window).strip()
    assert_equal(name, "Tumbra!", "caption")
    assert_centred(d, CLIENT, "at start")
    d.click_reset()
    assert_centred(d, CLIENT, "after a reload")
    d.xdotool("windowmove", d.window, 20, 30)
    wait_until("the moved window", lambda: d.geometry()[0] == (20, 30))
    d.origin = (20, 30)
    d.click_reset()
    assert_centred(d, CLIENT, "after the player had moved it")


def case_typical_road_and_the_box(d, options):
    board = LEVEL1_START
    d.wait_for_board(board, LEVEL1_GOAL, "level 1")
    road = TYPICAL_ROAD
    for n, (button, mouse) in enumerate(road[:-1], 1):
        d.press(button, mouse)
        board = model_press(board, button, mouse)
        d.wait_for_board(board, LEVEL1_GOAL, f"after press {n}")
        if d.windows("Finished"):
            raise CaseFailed(f"a box opened after press {n}")
    d.press(*road[-1])
    box = wait_until("the box titled Finished",
                     lambda: d.windows("Finished"))[0]
    # A press on the game window while the box is open turns nothing.
    shot = d.screenshot()
    before = d.read_block(shot, 0)
    d.press(3, 1)
    time.sleep(0.3)
    after = d.read_block(d.screenshot(), 0)
    (bx, by), (bw, bh) = d.geometry(box)
    for i in range(25):
        x, y = d.cell_centre(i % 5, i // 5)
        covered = bx <= x < bx + bw and by <= y < by + bh
        if not covered and after[i] != before[i]:
            raise CaseFailed(f"circle {i + 1} changed under the open box")
    close_box(d, box, "Return")
    assert_centred(d, CLIENT, "after the reload that a won level brings")
    d.wait_for_board(LEVEL2_START, LEVEL2_GOAL, "level 2 after Return")


def case_presses_match_the_model(d, options):
    board = LEVEL1_START
    d.wait_for_board(board, LEVEL1_GOAL, "level 1")
    # Turn 1 holds the focus at start: keys that would click it turn nothing.
    wait_until("the game window to take the keyboard",
               lambda: focused(d) == str(d.window))
    d.xdotool("key", "space", "Return", "KP_Enter")
    time.sleep(0.3)
    d.wait_for_board(board, LEVEL1_GOAL, "after space and Return")
    # Level 1's red circles never reach the centre ring, so the turns are
    # checked on level 2, after the typical road.
    close_box(d, open_box_by_typical_road(d), "Return")
    board = LEVEL2_START
    d.wait_for_board(board, LEVEL2_GOAL, "level 2")
    for mouse in (1, 3, 2):
        for button in range(1, 6):
            d.press(button, mouse)
            board = model_press(board, button, mouse)
            if board == LEVEL2_GOAL:
                raise CaseFailed("this road should not solve level 2")
            d.wait_for_board(board, LEVEL2_GOAL,
                             f"after mouse {mouse} on Turn {button}")
    d.press(5, 1, repeat=2)  # two quick presses, a double-click to X
    board = model_press(model_press(board, 5, 1), 5, 1)
    d.wait_for_board(board, LEVEL2_GOAL, "after two quick presses")


def case_resize_and_reset(d, options):
    d.wait_for_board(LEVEL1_START, LEVEL1_GOAL, "level 1")
    d.press(1, 1)
    board = model_press(LEVEL1_START, 1, 1)
    d.wait_for_board(board, LEVEL1_GOAL, "after a turn")
    for size in ((900, 500), (200, 100), CLIENT):
        d.xdotool("windowsize", d.window, *size)
        wait_until(f"the window at {size}", lambda: d.geometry()[1] == size)
        d.origin = d.geometry()[0]
        if size[0] >= CLIENT[0]:
            d.wait_for_board(board, LEVEL1_GOAL, f"resized to {size}")
    d.click_reset()
    d.wait_for_board(LEVEL1_START, LEVEL1_GOAL, "level 1 after Reset")


def case_close_request_ends_the_program(d, options):
    d.press(2, 1)
    d.wait_for_board(model_press(LEVEL1_START, 2, 1), LEVEL1_GOAL,
                     "after a turn")
    started = time.monotonic()
    run([options.close_helper, str(d.window)], d.env)
    wait_for_exit(d, "the close request")
    elapsed = time.monotonic() - started
    print(f"  ended {elapsed * 1000:.0f} ms after the close request")


def case_terminate(d, options):
    """A real press turns a ring; SIGTERM, as a session's end sends it,
    ends the program with status 0."""
    d.wait_for_board(LEVEL1_START, LEVEL1_GOAL, "level 1")
    d.press(1, 1)
    d.wait_for_board(model_press(LEVEL1_START, 1, 1), LEVEL1_GOAL,
                     "after a left press on Turn 1")
    d.game.terminate()
    wait_for_exit(d, "SIGTERM")


def case_odd_input(d, options):
    board = LEVEL1_START
    d.wait_for_board(board, LEVEL1_GOAL, "level 1")
    # The middle button, buttons 8 and 9 and the wheel (4 and 5) turn nothing.
    for mouse in (2, 8, 9, 4, 5):
        for button in (1, 5):
            d.press(button, mouse)
    time.sleep(0.3)
    d.wait_for_board(board, LEVEL1_GOAL, "after other buttons and the wheel")
    # The smallest and the largest window, then the designed size again.
    for size in ((1, 1), SCREEN, CLIENT):
        d.xdotool("windowsize", d.window, *size)
        wait_until(f"the window at {size}", lambda: d.geometry()[1] == size)
    d.origin = d.geometry()[0]
    d.wait_for_board(board, LEVEL1_GOAL, "after resizing")
    # With the box open: presses, keys and a close request on the game
    # window change nothing, and the box waits for its answer.
    box = open_box_by_typical_road(d)
    for button, mouse in ((1, 1), (5, 3), (4, 2)):
        d.press(button, mouse)
    d.xdotool("key", "a", "5", "Tab", "shift+Tab")
    run([options.close_helper, str(d.window)], d.env)
    time.sleep(0.3)
    if d.game.poll() is not None:
        raise CaseFailed("the program ended while its box was open")
    if d.windows("Finished") != [box]:
        raise CaseFailed("the box did not stay open")
    # Cancel: the game moves on all the same.
    close_box(d, box, "Escape", give_focus=True)
    d.wait_for_board(LEVEL2_START, LEVEL2_GOAL, "level 2 after the box")
    # And the close request is honoured once the box is gone.
    run([options.close_helper, str(d.window)], d.env)
    wait_for_exit(d, "the close request")


def settle(d, what):
    """Waits for the window to stand centred, frame included, and returns
    where its frame stands."""
    place = assert_centred(d, CLIENT, what)
    d.origin = d.geometry()[0]
    return place


def case_window_manager(d, options):
    """Under openbox: the same frame-centred place at start, after a won
    level and after Reset, and again after the player moved the window; the
    window manager's close ends the program with status 0."""
    start = settle(d, "at start")
    d.wait_for_board(LEVEL1_START, LEVEL1_GOAL, "level 1")
    close_box(d, open_box_by_typical_road(d), "Return")
    assert_equal(settle(d, "after a won level"), start, "place after a win")
    d.wait_for_board(LEVEL2_START, LEVEL2_GOAL, "level 2")
    d.click_reset()
    assert_equal(settle(d, "after Reset"), start, "place after Reset")
    d.xdotool("windowmove", d.window, 20, 30)
    wait_until("the moved window", lambda: d.frame()[0] != start)
    d.origin = d.geometry()[0]
    d.click_reset()
    assert_equal(settle(d, "after a move and Reset"), start,
                 "place after the player's move and Reset")
    # Alt+F4 is openbox's own close.
    d.xdotool("windowactivate", "--sync", d.window)
    d.xdotool("key", "alt+F4")
    wait_for_exit(d, "the window manager's close")


def case_start_up_failures(d, options):
    """Each reason no window can open, said in one line, with status 1."""
    unused = next(f":{n}" for n in range(90, 200)
                  if not os.path.exists(f"/tmp/.X11-unix/X{n}"))
    cases = [
        ({"DISPLAY": None}, r"no display server found: neither DISPLAY nor "
         r"WAYLAND_DISPLAY is set"),
        ({"DISPLAY": unused},
         rf'the X display "{unused}" refused the connection \(Qt: .+\)'),
        ({"QT_QPA_PLATFORM": "bogus"},
         r'the Qt platform plugin "bogus" is missing \(Qt: .+\)'),
        ({"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": "tumbra-nowhere"},
         r'the Wayland display "tumbra-nowhere" refused the connection '
         r'\(Qt: .+\)'),
    ]
    for change, reason in cases:
        env = dict(d.env)
        for key, value in change.items():
            if value is None:
                env.pop(key, None)
            else:
                env[key] = value
        result = subprocess.run([options.program], env=env,
                                capture_output=True,
                                text=True, timeout=DEADLINE * 2)
        lines = result.stderr.splitlines()
        if (result.returncode != 1 or len(lines) != 1
                or not re.match("tumbra: " + reason, lines[0])):
            raise CaseFailed(f"with {change}: status {result.returncode}, "
                             f"stderr {result.stderr!r}, expected one line "
                             f"'tumbra: {reason}' and status 1")


def circle_names(cells):
    return [f"Row {i // 5 + 1}, column {i % 5 + 1}, {COLOUR_NAMES[cell]}"
            for i, cell in enumerate(cells)]


def case_screen_reader(d, options):
    """Read over AT-SPI as Orca reads it: the window is a frame named
    Tumbra!, each block 25 images named by row, column and colour, the
    buttons push buttons and the label the count; a real press changes the
    names and the count as the turn says."""
    def read():
        tree = d.accessible_tree()
        if tree is None:
            return None
        frames = [c for c in tree["children"] if c["name"] == "Tumbra!"]
        return frames[0] if frames and frames[0]["children"] else None

    def check(board, count, what):
        seen = {}

        def probe():
            frame = read()
            if frame is None:
                return False
            seen["frame"] = frame
            named = {c["name"]: c for c in frame["children"]}
            blocks = [named.get("Play board"), named.get("Goal picture")]
            got = {
                "frame": frame["role"],
                "board": [c["name"] for c in blocks[0]["children"]
                          if c["role"] == "image"] if blocks[0] else None,
                "goal": [c["name"] for c in blocks[1]["children"]
                         if c["role"] == "image"] if blocks[1] else None,
                "buttons": sorted(c["name"] for c in frame["children"]
                                  if c["role"] == "push button"),
                "tries": named["Tries"]["description"]
                if "Tries" in named else None,
            }
            seen["got"] = got
            return got == expected
        expected = {
            "frame": "frame",
            "board": circle_names(board),
            "goal": circle_names(LEVEL1_GOAL),
            "buttons": ["Reset"] + [f"Turn {i}" for i in range(1, 6)],
            "tries": count,
        }
        try:
            wait_until(what, probe)
        except CaseFailed:
            raise CaseFailed(f"{what}: expected {expected}, read "
                             f"{seen.get('got', seen.get('frame'))}")

    check(LEVEL1_START, "0 tries made; the minimum for this level is 4",
          "level 1 as a screen reader reads it")
    d.press(1, 1)
    check(model_press(LEVEL1_START, 1, 1),
          "1 try made; the minimum for this level is 4",
          "after a left press on Turn 1")


def case_scale_factor_two(d, options):
    assert_centred(d, (CLIENT[0] * 2, CLIENT[1] * 2), "at scale 2")
    d.wait_for_board(LEVEL1_START, LEVEL1_GOAL, "level 1 at scale 2")


# Each case with what it needs: the settings of its Desktop, or None where
# it brings its own display server; "ends" where the program ends in it;
# "closes" where it needs the close helper; "screenshot" where the README's
# picture is taken after it.
CASES = {
    "caption_size_and_centring": (case_window_caption_size_and_centring,
                                  {"args": TOOLKIT_OPTIONS}, {"screenshot"}),
    "window_manager": (case_window_manager, {"wm": "openbox"}, {"ends"}),
    "start_up_failures": (case_start_up_failures, {"start_game": False},
                          set()),
    "wayland": (case_wayland, None, set()),
    "typical_road_and_box": (case_typical_road_and_the_box, {}, set()),
    "presses_match_model": (case_presses_match_the_model, {}, set()),
    "resize_and_reset": (case_resize_and_reset, {}, set()),
    "close_request": (case_close_request_ends_the_program, {},
                      {"ends", "closes"}),
    "terminate": (case_terminate, {}, {"ends"}),
    "scale_factor_2": (case_scale_factor_two, {"scale": 2}, set()),
    "odd_input": (case_odd_input, {}, {"ends", "closes"}),
    "screen_reader": (case_screen_reader, {"accessibility": True}, set()),
}


def run_case(name, options):
    function, settings, flags = CASES[name]
    desktop = None
    try:
        if settings is None:
            function(options)
            print(f"PASS {name}")
            return True
        desktop = Desktop(options.program, options.artifacts, **settings)
        function(desktop, options)
        if "screenshot" in flags and options.screenshot:
            desktop.click_reset()
            desktop.wait_for_board(LEVEL1_START, LEVEL1_GOAL, "level 1")
            desktop.save_screenshot(options.screenshot)
        if "ends" not in flags and desktop.game is not None \
                and desktop.game.poll() is not None:
            raise CaseFailed(f"the program ended with {desktop.game.poll()}")
        errors = desktop.stderr_text()
        if errors:
            raise CaseFailed(f"the program wrote to stderr:\n{errors}")
        print(f"PASS {name}")
        return True
    except CaseFailed as failure:
        print(f"FAIL {name}: {failure}")
        if desktop is not None:
            os.makedirs(options.artifacts, exist_ok=True)
            shot = os.path.join(options.artifacts, f"{name}-failed.png")
            subprocess.run([IMPORT, "-window", "root", shot], env=desktop.env,
                           capture_output=True, timeout=10)
            print(f"  screenshot: {shot}")
            if desktop.stderr_text():
                print(f"  stderr: {desktop.stderr_text()}")
        return False
    finally:
        if desktop is not None:
            desktop.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program")
    parser.add_argument("--close-helper")
    parser.add_argument("--artifacts")
    parser.add_argument("--case", choices=sorted(CASES), action="append")
    parser.add_argument("--screenshot")
    parser.add_argument("--list", action="store_true")
    options = parser.parse_args()
    offered = [name for name, (_, _, flags) in CASES.items()
               if options.close_helper or "closes" not in flags]
    if options.list:
        print(";".join(CASES))
        return 0
    if not options.program or not options.artifacts:
        parser.error("--program and --artifacts are needed to run cases")
    names = options.case or offered
    unoffered = set(names) - set(offered)
    if unoffered:
        parser.error(f"{', '.join(sorted(unoffered))} need --close-helper")
    results = [run_case(name, options) for name in names]
    passed = sum(results)
    print(f"{passed} passed, {len(results) - passed} failed")
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
