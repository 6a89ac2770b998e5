# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The two programs the real-window cases drive, behind the same few calls:
the Qt program as it is, and the Windows program under Wine, in the prefix
that WINEPREFIX names, on the case's own display."""

import functools
import http.server
import json
import os
import queue
import shutil
import subprocess
import tempfile
import threading

from waits import CaseFailed, check_wine_status

# The system's Python, whose pyatspi is the screen readers' AT-SPI client.
SYSTEM_PYTHON = "/usr/bin/python3"
ATSPI_TREE = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                          "atspi_tree.py")
# Wine quiet and contained: no Mono or Gecko to install, no menu entries
# written, none of its debugging on the program's stderr.
WINE_ENV = {"WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d"}
LOG_PIXELS = r"HKCU\Control Panel\Desktop"


def output(args, env, timeout=30):
    result = subprocess.run(args, env=env, capture_output=True, text=True,
                            timeout=timeout)
    if result.returncode != 0:
        if args[0] == "wine":
            check_wine_status(result.returncode, result.stderr, args[1])
        raise CaseFailed(f"{' '.join(args)} failed: {result.stderr.strip()}")
    return result.stdout


class QtProgram:
    """The game as built for Linux."""
    windows = False
    browser = False
    title = "Tumbra!"

    def __init__(self, path, close_helper):
        self.path = path
        self.close_helper = close_helper

    def prepare(self, env, scale):
        if scale is not None:
            env["QT_SCALE_FACTOR"] = str(scale)

    def command(self, args):
        return [self.path, *args]

    def locate(self, d):
        """Where the game's client area stands, and at which scale."""
        return d.geometry()[0], d.scale

    def accessible_tree(self, d):
        return json.loads(output([SYSTEM_PYTHON, ATSPI_TREE, "tumbra"], d.env))

    def placement(self, d):
        """The whole window, frame included, and the work area, each as
        ((x, y), (width, height)): as the window manager has them."""
        return d.frame(), d.work_area()

    def request_close(self, d):
        """As a window manager asks when the player clicks the close box."""
        output([self.close_helper, str(d.window)], d.env)

    def finish(self, d):
        pass


class WindowsProgram:
    """tumbra.exe under Wine. Each case runs on its own display, under a
    window manager as on a player's desktop, and ends Wine's server for
    the prefix when it ends."""
    windows = True
    browser = False
    title = "Tumbra!"
    locate = QtProgram.locate

    def __init__(self, exe, probe):
        self.exe = exe
        self.probe = probe

    def prepare(self, env, scale):
        # Without a prefix of the case's own, Wine would use the player's,
        # and the end of the case would end the player's Wine programs.
        if not env.get("WINEPREFIX"):
            raise CaseFailed("WINEPREFIX names no Wine prefix for the case")
        env.update(WINE_ENV)
        # Windows' own scaling: 96 dots per inch times the scale.
        dpi = round(96 * (scale or 1))
        output(["wine", "reg", "add", LOG_PIXELS, "/v", "LogPixels", "/t",
                "REG_DWORD", "/d", str(dpi), "/f"], env)

    def command(self, args):
        return ["wine", self.exe, *args]

    def ask(self, d, verb):
        """What window_probe says of the game window."""
        return output(["wine", self.probe, verb], d.env).replace("\r", "")

    def accessible_tree(self, d):
        return json.loads(self.ask(d, "tree"))

    def placement(self, d):
        """As Windows has them: the frame Wine gives a window is its own,
        not the window manager's, so the window is centred in Windows'
        terms."""
        x0, y0, x1, y1, ax0, ay0, ax1, ay1 = map(int, self.ask(d, "place").split())
        return ((x0, y0), (x1 - x0, y1 - y0)), ((ax0, ay0), (ax1 - ax0, ay1 - ay0))

    def listen(self, d):
        """What a screen reader hears unasked, line by line, from the
        probe's listener, which ends with the case."""
        listener = subprocess.Popen(["wine", self.probe, "listen"], env=d.env,
                                    stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                    stderr=subprocess.DEVNULL, text=True)
        heard = queue.Queue()

        def read():
            for line in listener.stdout:
                heard.put(json.loads(line))
        threading.Thread(target=read, daemon=True).start()

        def end():
            listener.stdin.close()
            listener.wait()
        d.ends.append(end)
        return heard

    def request_close(self, d):
        """The window manager's close, as its close box asks it."""
        output(["wmctrl", "-i", "-c", str(d.window)], d.env)

    def finish(self, d):
        # The server of the case's own prefix alone.
        subprocess.run(["wineserver", "-k"], env=d.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class BrowserProgram:
    """The page in Debian's Firefox ESR or Chromium, in a window as large as
    the screen, with a profile of its own, served from 127.0.0.1 by the case
    itself. The browser's own output is not the game's."""
    windows = False
    browser = True
    # Off a browser's first-run pages and its traffic with the world.
    FIREFOX_PREFS = {
        "browser.shell.checkDefaultBrowser": False,
        "browser.aboutwelcome.enabled": False,
        "browser.startup.homepage_override.mstone": "ignore",
        "datareporting.policy.dataSubmissionEnabled": False,
        "browser.newtab.preload": False,
    }

    def __init__(self, page, name):
        self.page = page
        self.name = name
        self.title = {"firefox": "Tumbra! — Mozilla Firefox",
                      "chromium": "Tumbra! - Chromium"}[name]

    def prepare(self, env, scale):
        class Quiet(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                pass
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(
            Quiet, directory=os.path.dirname(os.path.abspath(self.page))))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = (f"http://127.0.0.1:{self.server.server_address[1]}/"
                    f"{os.path.basename(self.page)}")
        self.profile = tempfile.mkdtemp(prefix="tumbra-browser-")
        with open(os.path.join(self.profile, "user.js"), "w") as prefs:
            for key, value in self.FIREFOX_PREFS.items():
                prefs.write(f"user_pref({json.dumps(key)}, {json.dumps(value)});\n")
        # Firefox serves a screen reader only where the desktop says one
        # may listen; Chromium, once asked to.
        env["GNOME_ACCESSIBILITY"] = "1"

    def command(self, args):
        if self.name == "firefox":
            return ["firefox-esr", "--no-remote", "--profile", self.profile,
                    "--width", "1280", "--height", "800", self.url]
        return ["chromium", f"--user-data-dir={self.profile}", "--no-first-run",
                "--no-default-browser-check", "--disable-background-networking",
                "--disable-component-update", "--disable-sync",
                "--password-store=basic", "--force-renderer-accessibility",
                "--window-position=0,0", "--window-size=1280,800",
                *(["--no-sandbox"] if os.getuid() == 0 else []), self.url]

    def locate(self, d):
        """The game's window as the page lays it out on the screen: found
        by its green label, 1455 twips wide and 2400 twips in."""
        from desktop import SCREEN
        from waits import wait_until

        def label():
            shot = d.screenshot()
            at = shot.find(b"\x00\xff\x00")
            while at >= 0 and at % 3:
                at = shot.find(b"\x00\xff\x00", at + 1)
            if at < 0:
                return None
            top = at // 3 // SCREEN[0]
            row = shot[(top + 3) * SCREEN[0] * 3:(top + 4) * SCREEN[0] * 3]
            xs = [x for x in range(SCREEN[0]) if row[3 * x:3 * x + 3] == b"\x00\xff\x00"]
            return xs and (xs[0], top, xs[-1] - xs[0] + 1)
        left, top, width = wait_until("the game's window in the page", label)
        scale = width / 97
        return (round(left - 160 * scale), top), scale

    def finish(self, d):
        self.server.shutdown()
        shutil.rmtree(self.profile, ignore_errors=True)
