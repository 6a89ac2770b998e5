# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""What the real-window cases share: a private X display with the game on
it, driven from outside with xdotool and read with ImageMagick, a model of
the rings written apart from the game's own code, and the waits and checks
every case uses."""

import json
import os
import re
import shutil
import subprocess
import tempfile
import time

IMPORT = "/usr/bin/import"  # ImageMagick's, not a stand-in earlier on PATH
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


class GaveUp(CaseFailed):
    """What was waited for never came; the probe itself worked."""


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


# Qt's accessibility bridge's word that the accessibility registry, busy
# with a screen reader's synthesized click, answered a key event late: the
# desktop's, not the program's.
REGISTRY_LATE = re.compile(r'QSpiApplication::keyEventError +"org\.freedesktop'
                           r'\.DBus\.Error\.NoReply".*\n')
# The bridge's remarks on what a screen reader asks of it: objects of a
# window gone with its level, events Qt 6.8 does not offer, and text
# events of its own widgets that it cannot place (Debian 13's Orca).
SCREEN_READER_ASKED = re.compile(
    r'qt\.accessibility\.atspi: (Could not find accessible on path: |'
    r'Subscription string not handled: |'
    r'Received text event for invalid interface\.).*\n')


def own_output(text):
    """What the program itself wrote of `text`, its stderr; prints the
    sanitizer's suppression counts, which are not its own, and leaves out
    the accessibility registry's lateness and the bridge's remarks."""
    for report in SUPPRESSIONS_USED.findall(text):
        print("  " + report.strip().replace("\n", "\n  "))
    for noise in (SUPPRESSIONS_USED, REGISTRY_LATE, SCREEN_READER_ASKED):
        text = noise.sub("", text)
    return text


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
            raise GaveUp(f"gave up waiting for {what}")
        time.sleep(0.02)


class Desktop:
    """A private Xvfb display, with a window manager if asked, and the game
    running on it: `program` is one of programs.py's. Wine's windows stand
    where the cases read them only under a window manager, so the Windows
    program always has one."""

    def __init__(self, program, artifacts, scale=None, wm=None, args=(),
                 start_game=True, accessibility=False):
        self.program = program
        if program.windows and wm is None:
            wm = "openbox"
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
        program.prepare(self.env, scale)
        self.stderr = tempfile.TemporaryFile()
        self.game = None
        self.window = None
        self.origin = None
        self.args = args
        self.ends = []  # what the case started beside the game
        if start_game:
            self.start_game()

    def start_game(self):
        self.game = subprocess.Popen(self.program.command(self.args),
                                     env=self.env, stdout=subprocess.DEVNULL,
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
        """The game as a screen reader reads it."""
        return self.program.accessible_tree(self)

    def request_close(self):
        self.program.request_close(self)

    def close(self):
        if self.game is not None and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        self.program.finish(self)
        for end in reversed(self.ends):
            end()
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
        half = int(CIRCLE * self.scale) // 2
        return (self.origin[0] + int(column * PITCH * self.scale) + half,
                self.origin[1] + int(row * PITCH * self.scale) + half)

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
    seen = []

    def centred():
        seen[:] = desktop.program.placement(desktop)
        ((x, y), (w, h)), ((ax, ay), (aw, ah)) = seen
        off = (2 * x + w - (2 * ax + aw), 2 * y + h - (2 * ay + ah))
        return (x, y) if abs(off[0]) <= 2 and abs(off[1]) <= 2 else None
    try:
        # A window manager may report its frame a moment after the map.
        return wait_until(f"{what}: the window centred", centred)
    except GaveUp:
        raise CaseFailed(f"{what}: frame at {seen[0]}, not centred on the "
                         f"work area {seen[1]}")


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
