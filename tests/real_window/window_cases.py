# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The cases about the window itself: its caption, size and place, under a
window manager and at another scale, and every way the program starts and
ends."""

import os
import re
import subprocess
import time

from desktop import CLIENT
from ring_model import (
    LEVEL1_START, LEVEL1_GOAL, LEVEL2_START, LEVEL2_GOAL, model_press)
from steps import (
    assert_equal, assert_centred, open_box_by_typical_road, close_box,
    wait_for_exit)
from waits import DEADLINE, CaseFailed, wait_until
from play_cases import resize

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
    before = d.geometry()[0]
    d.xdotool("windowmove", d.window, 20, 30)
    wait_until("the moved window", lambda: d.geometry()[0] != before)
    d.origin = d.geometry()[0]
    d.click_reset()
    assert_centred(d, CLIENT, "after the player had moved it")


def case_resize_and_reset(d, options):
    d.wait_for_board(LEVEL1_START, LEVEL1_GOAL, "level 1")
    d.press(1, 1)
    board = model_press(LEVEL1_START, 1, 1)
    d.wait_for_board(board, LEVEL1_GOAL, "after a turn")
    for size in ((900, 500), (200, 100), CLIENT):
        resize(d, size)
        if size[0] >= CLIENT[0]:
            d.wait_for_board(board, LEVEL1_GOAL, f"resized to {size}")
    d.click_reset()
    d.wait_for_board(LEVEL1_START, LEVEL1_GOAL, "level 1 after Reset")


def case_close_request_ends_the_program(d, options):
    d.press(2, 1)
    d.wait_for_board(model_press(LEVEL1_START, 2, 1), LEVEL1_GOAL,
                     "after a turn")
    started = time.monotonic()
    d.request_close()
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


def case_scaled(d, options):
    """At the desktop's scale (Qt's scale factor, Windows' DPI), the window
    has the designed size in that many pixels, centred, and its circles the
    level's colours."""
    size = tuple(int(n * d.scale + 0.5) for n in CLIENT)
    assert_centred(d, size, f"at scale {d.scale}")
    d.wait_for_board(LEVEL1_START, LEVEL1_GOAL, f"level 1 at scale {d.scale}")


def case_close_with_the_box_open(d, options):
    """A program's request to close, as Windows sends it (WM_CLOSE), while
    a box is open: the box goes and the program ends with status 0."""
    open_box_by_typical_road(d)
    d.program.ask(d, "close")
    wait_for_exit(d, "WM_CLOSE with the box open")


def case_session_end(d, options):
    """The end of the Windows session ends the program with status 0."""
    d.press(1, 1)
    d.wait_for_board(model_press(LEVEL1_START, 1, 1), LEVEL1_GOAL,
                     "after a turn")
    assert_equal(d.program.ask(d, "end-session").strip(), "agreed",
                 "the answer to the end of the session")
    wait_for_exit(d, "the end of the session")
