# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The desktop every real-window case runs on: a private X display with
the game on it, driven from outside with xdotool and read with ImageMagick."""

import os
import re
import shutil
import subprocess
import tempfile

from ring_model import COLOURS, rows
from waits import CaseFailed, run, wait_until

IMPORT = "/usr/bin/import"  # ImageMagick's, not a stand-in earlier on PATH
AT_SPI_BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
SCREEN = (1280, 800)

# Geometry of the window at 96 DPI: 15 twips a pixel.
CLIENT = (417, 161)
PITCH = 32
CIRCLE = 33
TURN_CELLS = {1: (5, 1), 2: (7, 1), 3: (5, 3), 4: (7, 3), 5: (6, 2)}
RESET_CELL = (6, 4)  # Reset spans columns 5 to 7 of row 4

# LeakSanitizer's count of the leaks its suppressions hid, which a sanitizer
# build prints at exit: shown in the log, and no output of the game's.
SUPPRESSIONS_USED = re.compile(
    r"-+\nSuppressions used:\n(?:[^\n]*\n)*?-+\n\n?", re.MULTILINE)


def own_output(text, remarks=()):
    """What the program itself wrote of `text`, its stderr; prints the
    sanitizer's suppression counts, which are not its own, and leaves out
    the `remarks` (patterns) that a case expects of the desktop's own
    libraries."""
    for report in SUPPRESSIONS_USED.findall(text):
        print("  " + report.strip().replace("\n", "\n  "))
    for noise in (SUPPRESSIONS_USED, *remarks):
        text = noise.sub("", text)
    return text


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
        self.remarks = []  # what the case expects the libraries to write
        self.unserved = []  # what the case could not check here
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

    def not_served(self, what):
        """A part of the case this desktop cannot serve: said, and not
        counted as passed."""
        print(f"  NOT SERVED, NOT COUNTED: {what}")
        self.unserved.append(what)

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

    def stderr_raw(self):
        self.stderr.seek(0)
        return self.stderr.read().decode(errors="replace")

    def stderr_text(self):
        return own_output(self.stderr_raw(), self.remarks)

    def xdotool(self, *args, check=True):
        return run(["xdotool", *map(str, args)], self.env, check=check)

    def windows(self, title):
        out = self.xdotool("search", "--onlyvisible", "--name", f"^{title}$",
                           check=False)
        return [int(w) for w in out.split()]

    def find_window(self, old=None):
        """Waits for the visible game window (a new one after a reload)."""
        def probe():
            found = [w for w in self.windows(self.program.title) if w != old]
            if not found and self.game.poll() is not None:
                raise CaseFailed(f"the program ended with status "
                                 f"{self.game.poll()} and no window: "
                                 f"{self.stderr_text().strip()}")
            return found[0] if found else None
        self.window = wait_until("the game window", probe)
        self.origin, self.scale = self.program.locate(self)
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

    def popups(self):
        """The menus and other popups that stand over every window: the
        override-redirect windows on the screen."""
        found = []
        for line in run(["xwininfo", "-root", "-children"], self.env).splitlines():
            window = line.split()[0] if line.strip().startswith("0x") else None
            if window is None:
                continue
            info = run(["xwininfo", "-id", window], self.env, check=False)
            if ("Map State: IsViewable" in info and
                    "Override Redirect State: yes" in info and
                    "Width: 1\n" not in info):
                found.append(window)
        return found

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


