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
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

IMPORT = "/usr/bin/import"  # ImageMagick's, not a stand-in earlier on PATH
# The system's Python, whose pyatspi is the screen readers' AT-SPI client.
SYSTEM_PYTHON = "/usr/bin/python3"
ATSPI_TREE = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                          "atspi_tree.py")
AT_SPI_BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
SCREEN = (1280, 800)
# The longest wait for a window, a focus, a colour or an exit. Every wait
# ends as soon as what it waits for has happened; the limit only has to hold
# on a busy machine running the sanitizer build.
DEADLINE = 30.0

# Geometry of the window at 96 DPI: 15 twips a pixel.
CLIENT = (417, 161)
PITCH = 32
CIRCLE = 33
TURN_CELLS = {1: (5, 1), 2: (7, 1), 3: (5, 3), 4: (7, 3), 5: (6, 2)}
RESET_CELL = (6, 4)  # Reset spans columns 5 to 7 of row 4

# The levels, colours and rings as a player sees them, shared with the
# browser's tests.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)),
                       "..", "levels.json")) as levels_file:
    GAME = json.load(levels_file)
COLOURS = {c["code"]: tuple(c["rgb"]) for c in GAME["colours"]}
COLOUR_NAMES = {c["code"]: c["name"] for c in GAME["colours"]}
(LEVEL1_START, LEVEL1_GOAL), (LEVEL2_START, LEVEL2_GOAL) = (
    (level["start"], level["goal"]) for level in GAME["levels"][:2])


# Left on Turn 1, left on 3, right on 2, right on 4 solves level 1.
TYPICAL_ROAD = [(1, 1), (3, 1), (2, 3), (4, 3)]


class CaseFailed(Exception):
    pass


# ---------------------------------------------------------------- the model

def model_press(board, button, mouse):
    """The board after mouse button `mouse` (1 left, 2 middle, 3 right in X
    numbering) went down on Turn `button`."""
    turn = GAME["buttons"][str(button)]
    places = {1: turn["left"], 3: turn["right"]}.get(mouse)
    if places is None:
        return board
    cells = [turn["corner"] + offset for offset in GAME["ring"]]
    after = list(board)
    for k, cell in enumerate(cells):
        after[cell] = board[cells[(k - places) % 8]]
    return "".join(after)


# -------------------------------------------------------------- the desktop

# LeakSanitizer's count of the leaks its suppressions hid, which a sanitizer
# build prints at exit: shown in the log, and no output of the game's.
SUPPRESSIONS_USED = re.compile(
    r"-+\nSuppressions used:\n(?:[^\n]*\n)*?-+\n\n?", re.MULTILINE)


def own_output(text):
    """What the program itself wrote of `text`, its stderr; prints the
    sanitizer's suppression counts, which are not its own."""
    for report in SUPPRESSIONS_USED.findall(text):
        print("  " + report.strip().replace("\n", "\n  "))
    return SUPPRESSIONS_USED.sub("", text)


def run(args, env, check=True, timeout=10):
    result = subprocess.run(args, env=env, capture_output=True, text=True,
                            timeout=timeout)
    if check and result.returncode != 0:
        raise CaseFailed(f"{' '.join(args)} failed: {result.stderr.strip()}")
    return result.stdout


def wait_until(what, probe, deadline=DEADLINE):
    """Polls `probe` until it returns something true; fails naming `what`."""
    end = time.monotonic() + deadline
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() > end:
            raise CaseFailed(f"gave up waiting for {what}")
        time.sleep(0.02)


class Desktop:
    """A private Xvfb display, with a window manager if asked, and the game
    running on it."""

    def __init__(self, program, artifacts, scale=None, wm=None, args=(),
                 start_game=True, accessibility=False):
        self.artifacts = artifacts
        self.wm = None
        self.buses = []
        self.runtime = tempfile.mkdtemp(prefix="tumbra-xdg-")
        os.chmod(self.runtime, 0o700)
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-noreset", "-nolisten", "tcp",
             "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24"],
            pass_fds=(write,), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            raise CaseFailed("Xvfb did not start")
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith("QT_") and k != "WAYLAND_DISPLAY"}
        self.env.update(DISPLAY=f":{number}", XDG_RUNTIME_DIR=self.runtime,
                        DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent")
        if scale is not None:
            self.env["QT_SCALE_FACTOR"] = str(scale)
        self.scale = scale or 1
        if wm is not None:
            self.wm = subprocess.Popen([wm], env=self.env,
                                       stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            wait_until(f"{wm} to manage the screen", lambda: "window id" in run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], self.env,
                check=False))
        if accessibility:
            self.start_accessibility_bus()
        self.stderr = tempfile.TemporaryFile()
        self.game = None
        self.window = None
        self.origin = None
        if start_game:
            self.game = subprocess.Popen([program, *args], env=self.env,
                                         stdout=subprocess.DEVNULL,
                                         stderr=self.stderr)
            self.find_window()

    def start_accessibility_bus(self):
        """A private session bus with the accessibility bus on it, and a
        screen reader's word that it is listening, as on a desktop where
        Orca runs."""
        bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address"],
            env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
            text=True)
        self.buses.append(bus)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self.buses.append(subprocess.Popen(
            [AT_SPI_BUS_LAUNCHER, "--launch-immediately"], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))

        def enable():
            return run(["dbus-send", "--session", "--print-reply",
                        "--dest=org.a11y.Bus", "/org/a11y/bus",
                        "org.freedesktop.DBus.Properties.Set",
                        "string:org.a11y.Status",
                        "string:ScreenReaderEnabled",
                        "variant:boolean:true"], self.env, check=False)
        wait_until("the accessibility bus", lambda: "method return" in enable())

    def accessible_tree(self):
        """The game as a screen reader reads it over AT-SPI."""
        out = run([SYSTEM_PYTHON, ATSPI_TREE, "tumbra"], self.env)
        return json.loads(out)

    def close(self):
        if self.game is not None and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        for process in reversed(self.buses):
            process.terminate()
            process.wait()
        if self.wm is not None:
            self.wm.terminate()
            self.wm.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def stderr_text(self):
        self.stderr.seek(0)
        return own_output(self.stderr.read().decode(errors="replace"))

    def xdotool(self, *args, check=True):
        return run(["xdotool", *map(str, args)], self.env, check=check)

    def windows(self, title):
        out = self.xdotool("search", "--onlyvisible", "--name", f"^{title}$",
                           check=False)
        return [int(w) for w in out.split()]

    def find_window(self, old=None):
        """Waits for the visible game window (a new one after a reload)."""
        def probe():
            found = [w for w in self.windows("Tumbra!") if w != old]
            if not found and self.game.poll() is not None:
                raise CaseFailed(f"the program ended with status "
                                 f"{self.game.poll()} and no window: "
                                 f"{self.stderr_text().strip()}")
            return found[0] if found else None
        self.window = wait_until("the game window", probe)
        self.origin = self.geometry()[0]
        return self.window

    def geometry(self, window=None):
        """The client area's place on the screen and its size."""
        out = run(["xwininfo", "-id", str(window or self.window)], self.env)
        field = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            field[key] = value.strip()
        return ((int(field["Absolute upper-left X"]),
                 int(field["Absolute upper-left Y"])),
                (int(field["Width"]), int(field["Height"])))

    def frame(self, window=None):
        """The whole window, the window manager's frame included: its place
        and size."""
        (x, y), (w, h) = self.geometry(window)
        out = run(["xprop", "-id", str(window or self.window),
                   "_NET_FRAME_EXTENTS"], self.env, check=False)
        left = right = top = bottom = 0
        if "=" in out:
            left, right, top, bottom = (int(v) for v in
                                        out.split("=")[1].split(","))
        return (x - left, y - top), (w + left + right, h + top + bottom)

    def work_area(self):
        out = run(["xprop", "-root", "_NET_WORKAREA"], self.env, check=False)
        if "=" in out:
            x, y, w, h = (int(v) for v in out.split("=")[1].split(",")[:4])
            return (x, y), (w, h)
        return (0, 0), SCREEN

    def cell_centre(self, column, row):
        """The screen point at the centre of lattice cell (column, row)."""
        half = (CIRCLE * self.scale) // 2
        return (self.origin[0] + column * PITCH * self.scale + half,
                self.origin[1] + row * PITCH * self.scale + half)

    def screenshot(self):
        width, height = SCREEN
        raw = subprocess.run(
            [IMPORT, "-window", "root", "-depth", "8", "rgb:-"],
            env=self.env, capture_output=True, timeout=10).stdout
        if len(raw) != width * height * 3:
            raise CaseFailed("could not read the screen")
        return raw

    def pixel(self, shot, point):
        x, y = point
        i = (y * SCREEN[0] + x) * 3
        return tuple(shot[i:i + 3])

    def read_block(self, shot, first_column):
        """The codes of a 5 x 5 block; '?' where a colour is no code."""
        codes = {rgb: code for code, rgb in COLOURS.items()}
        return "".join(
            codes.get(self.pixel(shot, self.cell_centre(first_column + c, r)),
                      "?")
            for r in range(5) for c in range(5))

    def read_board(self):
        shot = self.screenshot()
        return self.read_block(shot, 0), self.read_block(shot, 8)

    def wait_for_board(self, board, goal, what):
        seen = []

        def probe():
            seen[:] = [self.read_board()]
            return seen[0] == (board, goal)
        try:
            wait_until(what, probe)
        except CaseFailed:
            raise CaseFailed(f"{what}: expected board {rows(board)} goal "
                             f"{rows(goal)}, saw board {rows(seen[0][0])} "
                             f"goal {rows(seen[0][1])}")

    def press(self, button, mouse, repeat=1):
        x, y = self.cell_centre(*TURN_CELLS[button])
        self.xdotool("mousemove", x, y, "click", "--repeat", repeat,
                     "--delay", 40, mouse)

    def click_reset(self):
        old = self.window
        x, y = self.cell_centre(*RESET_CELL)
        self.xdotool("mousemove", x, y, "click", 1)
        self.find_window(old)

    def save_screenshot(self, path):
        os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
        subprocess.run([IMPORT, "-window", str(self.window), path],
                       env=self.env, capture_output=True, timeout=10)


def rows(cells):
    return " ".join(cells[i:i + 5] for i in range(0, 25, 5))


def assert_equal(seen, expected, what):
    if seen != expected:
        raise CaseFailed(f"{what}: expected {expected}, saw {seen}")


def assert_centred(desktop, size, what):
    """The client area has `size`, and the whole window, frame included,
    stands centred on the work area. Returns the frame's place."""
    assert_equal(desktop.geometry()[1], size, f"{what}: client size")
    (ax, ay), (aw, ah) = desktop.work_area()

    def centred():
        (x, y), (w, h) = desktop.frame()
        off = (2 * x + w - (2 * ax + aw), 2 * y + h - (2 * ay + ah))
        return (x, y) if abs(off[0]) <= 2 and abs(off[1]) <= 2 else None
    try:
        # A window manager may report its frame a moment after the map.
        return wait_until(f"{what}: the window centred", centred)
    except CaseFailed:
        raise CaseFailed(f"{what}: frame at {desktop.frame()}, not centred "
                         f"on the work area {desktop.work_area()}")


def focused(d):
    return d.xdotool("getwindowfocus", check=False).strip()


def open_box_by_typical_road(d):
    """Plays the typical road on level 1; returns the box it ends with."""
    for button, mouse in TYPICAL_ROAD:
        d.press(button, mouse)
    return wait_until("the box titled Finished",
                      lambda: d.windows("Finished"))[0]


def close_box(d, box, key, give_focus=False):
    """Answers the box with `key` once it holds the keyboard (given to it
    first where the case took it away) and waits for the window of the next
    level."""
    if give_focus:
        d.xdotool("windowfocus", "--sync", box)
    wait_until("the box to take the keyboard", lambda: focused(d) == str(box))
    d.xdotool("key", key)
    wait_until("the box to close", lambda: not d.windows("Finished"))
    d.find_window(d.window)


def wait_for_exit(d, what):
    """Waits for the program to end after `what`, with status 0."""
    try:
        status = d.game.wait(timeout=DEADLINE)
    except subprocess.TimeoutExpired:
        raise CaseFailed(f"the program still runs after {what}")
    assert_equal(status, 0, f"exit status after {what}")


# ------------------------------------------------------------------ cases

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


# One entry of libwayland's protocol log, "[  1234.567] ...\n". Two threads
# of the program write to it, so an entry may stand split around another;
# taking out whole entries, innermost first, joins every split one again,
# and what is left is the program's own output.
LOG_ENTRY = re.compile(r"\[ *\d+\.\d+\](?:(?!\[ *\d+\.\d)[^\n])*\n")


def split_protocol_log(text):
    """The protocol log's entries in `text`, and the rest of it."""
    entries = []
    while True:
        found = LOG_ENTRY.findall(text)
        if not found:
            return "".join(entries), text
        entries += found
        text = LOG_ENTRY.sub("", text)


def case_wayland(options):
    """On a Wayland session (Weston's headless backend) the game is a native
    Wayland client: its window comes up with the caption and the designed
    client size, as the client's protocol log shows, and a request to end
    the program ends it with status 0."""
    runtime = tempfile.mkdtemp(prefix="tumbra-wayland-")
    os.chmod(runtime, 0o700)
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("QT_", "WAYLAND_")) and k != "DISPLAY"}
    env.update(XDG_RUNTIME_DIR=runtime, XDG_SESSION_TYPE="wayland",
               DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent")
    socket = "tumbra-test"
    weston = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", f"--socket={socket}",
         "--width=1280", "--height=800", "--idle-time=0"],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    game = None
    log = tempfile.TemporaryFile()
    try:
        wait_until("Weston's socket",
                   lambda: os.path.exists(os.path.join(runtime, socket)))
        # Client-side decorations would add Qt's own frame to the surface.
        game = subprocess.Popen(
            [options.program], stdout=subprocess.DEVNULL, stderr=log,
            env=dict(env, WAYLAND_DISPLAY=socket, WAYLAND_DEBUG="client",
                     QT_WAYLAND_DISABLE_WINDOWDECORATION="1"))

        def protocol():
            log.seek(0)
            return split_protocol_log(log.read().decode(errors="replace"))[0]
        # libwayland writes an object as interface@id up to 1.22 and as
        # interface#id from 1.23 on.
        title = re.compile(r'xdg_toplevel[@#]\d+\.set_title\("Tumbra!"\)')
        size = re.compile(r"create_buffer\(new id wl_buffer[@#]\d+, \d+, "
                          rf"{CLIENT[0]}, {CLIENT[1]},")
        try:
            wait_until("a Wayland window captioned Tumbra! of the designed "
                       "size", lambda: title.search(protocol())
                       and size.search(protocol()))
        except CaseFailed as failure:
            lines = [line for line in protocol().splitlines()
                     if "set_title" in line or "create_buffer" in line]
            raise CaseFailed(f"{failure}; the log said:\n" +
                             "\n".join(lines[:20]))
        game.terminate()
        try:
            status = game.wait(timeout=DEADLINE)
        except subprocess.TimeoutExpired:
            raise CaseFailed("the program did not end when asked")
        log.seek(0)
        others = own_output(
            split_protocol_log(log.read().decode(errors="replace"))[1])
        if status != 0:
            raise CaseFailed(f"exit status {status}, not 0; the program "
                             f"wrote:\n{others}")
        if others.strip():
            raise CaseFailed(f"the program wrote to stderr:\n{others}")
    finally:
        if game is not None and game.poll() is None:
            game.kill()
            game.wait()
        weston.terminate()
        weston.wait()
        shutil.rmtree(runtime, ignore_errors=True)


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
