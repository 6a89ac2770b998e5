# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The game played by ear: the case plays through the commands of Orca, with
settings of its own, alone (Tab, flat review, keypad slash and star for its
left and right click), and decides everything from what Orca speaks."""

import os
import pty
import re
import shutil
import subprocess
import tempfile
import termios
import threading

from ring_model import (
    COLOUR_NAMES, LEVEL2_GOAL, LEVEL2_START, model_press, tries)
from waits import CaseFailed, wait_until

# Each utterance and its voice: Debian 13's Orca gives None for the default.
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(?:\[?\{'established|None\b)")
# Orca's launcher ends every other Orca of the same user on the machine
# when asked to replace them, and will not start beside one otherwise. In a
# PID namespace of its own it finds none but itself, so the player's own
# Orca, or another run's, speaks on; Orca's own end ends all it started.
ALONE = ["unshare", "--pid", "--fork", "--mount-proc", "--kill-child"]
if os.getuid() != 0:
    ALONE[1:1] = ["--user", f"--map-user={os.getuid()}",
                  f"--map-group={os.getgid()}"]
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
# Orca's click waits for the accessibility registry, which may take
# seconds to answer; every wait ends with what it waits for.
HEARING = 60.0


class Orca:
    """Orca on the desktop, its debug output read from a terminal, where it
    writes every line at once."""

    def __init__(self, d):
        self.home = tempfile.mkdtemp(prefix="tumbra-orca-")
        env = dict(d.env, HOME=self.home, **{
            f"XDG_{k}_HOME": os.path.join(self.home, k.lower()) for k in
            ("CONFIG", "DATA", "CACHE")})
        # The terminal stays open here while Orca runs: with no end of it
        # open, reading it would fail before Orca has opened it.
        self.master, self.slave = pty.openpty()
        modes = termios.tcgetattr(self.slave)
        modes[3] &= ~termios.ECHO
        termios.tcsetattr(self.slave, termios.TCSANOW, modes)
        self.spoken = []
        self.log = []  # all Orca wrote, kept for a case that fails
        self.orca = subprocess.Popen(
            [*ALONE, "orca", f"--debug-file={os.ttyname(self.slave)}"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        threading.Thread(target=self.listen, daemon=True).start()
        self.d = d
        d.ends.append(self.stop)

    def listen(self):
        rest = b""
        while True:
            try:
                rest += os.read(self.master, 65536)
            except OSError:
                return
            *lines, rest = rest.split(b"\n")
            self.log += lines
            for line in lines:
                said = SPOKEN.search(line.decode(errors="replace"))
                if said:
                    self.spoken.append(said.group(1).strip())

    def stop(self):
        self.orca.kill()
        self.orca.wait()
        for end in (self.slave, self.master):
            os.close(end)
        shutil.rmtree(self.home, ignore_errors=True)

    def hear(self, what, test, since, deadline=HEARING):
        """Waits to hear, since `since`, what `test` holds for; returns it."""
        try:
            return wait_until(what, lambda: next(
                (s for s in self.spoken[since:] if test(s)), None), deadline)
        except CaseFailed:
            os.makedirs(self.d.artifacts, exist_ok=True)
            kept = os.path.join(self.d.artifacts, "by_ear-orca.log")
            with open(kept, "wb") as log:
                log.write(b"\n".join(self.log))
            raise CaseFailed(f"Orca did not say {what}; it said "
                             f"{self.spoken[since:]} (all it wrote: {kept})")

    def heard_since(self, what, pattern, since):
        """Waits until what was said since `since`, run together, holds
        `pattern`: words a screen reader may say in one breath or in
        several."""
        return self.hear(what, lambda _: re.search(
            pattern, " ".join(self.spoken[since:])), since)

    def key(self, key, what, test, deadline=HEARING):
        """Presses `key` and waits to hear `what`."""
        since = len(self.spoken)
        self.d.xdotool("key", *key.split())
        return self.hear(what, test, since, deadline)

    def tab(self, step, turn):
        """Steps to Turn `turn` and hears it named. A busy Orca may miss a
        focus change answered late (the sanitizer's build, a loaded machine):
        a player who hears nothing steps on and back, and Orca hears both."""
        wanted = said(f"Turn {turn} push button")
        try:
            return self.key(step, f"Turn {turn}", wanted, HEARING / 6)
        except CaseFailed:
            self.key(step, "the next", said(r"(?:Turn \d|Reset) push button"))
            return self.key("Tab" if step == "shift+Tab" else "shift+Tab",
                            f"Turn {turn}", wanted)


def players_orca(d):
    """A stand-in for an Orca of the same user outside the case's desktop,
    the player's own: a process named orca, as Orca's launcher finds it."""
    folder = tempfile.mkdtemp(prefix="tumbra-players-orca-")
    shutil.copy("/bin/sleep", os.path.join(folder, "orca"))
    stand_in = subprocess.Popen([os.path.join(folder, "orca"), "infinity"])

    def end():
        stand_in.kill()
        stand_in.wait()
        shutil.rmtree(folder, ignore_errors=True)
    d.ends.append(end)
    return stand_in


def left_alone(players):
    if players.poll() is not None:
        raise CaseFailed("the case's Orca ended another Orca of the machine")


def said(pattern):
    """Orca's words as `pattern` has them; Debian 13's drops some full stops
    and calls a push button a button."""
    pattern = pattern.replace("push button", "(?:push )?button")
    return lambda s: re.fullmatch(pattern + r"\.?", s) is not None


def line(row, board, goal, between):
    """A flat-review line: board circles, what stands between, goal's."""
    def names(block, cells):
        return [f"{block}, row {row + 1}, column {c + 1}, "
                f"{COLOUR_NAMES[cells[5 * row + c]]}" for c in range(5)]
    return " ".join(names("Play board", board) + between +
                    names("Goal picture", goal))


def case_by_ear(d, options):
    """Level 1 by its typical road, its box, a press on level 2 and Reset,
    in the Qt window or in Firefox's page, through Orca's commands alone
    and decided by what Orca says; in the Qt window, a line of flat review
    too."""
    d.remarks += [REGISTRY_LATE, SCREEN_READER_ASKED]
    players = players_orca(d)
    orca = Orca(d)
    try:
        orca.hear("that it is on", said("Screen reader on"), 0)
    except CaseFailed:
        left_alone(players)
        raise
    since = len(orca.spoken)
    d.start_game()
    if d.program.browser:
        # A browser's frame may take the page's title only after it is
        # named; the page is heard by its own name, or by the focus that
        # the game gives Turn 1 as it starts: Debian 13's Orca drops an
        # event that follows one of its kind within a tenth of a second,
        # and the end of the page's busy state may go before its load's.
        loaded, focused = said("Finished loading Tumbra!"), said("Turn 1 push button")
        orca.hear("the page", lambda s: loaded(s) or focused(s), since)
        # A game is played in focus mode, keys to the page: in browse mode
        # Debian 13's Orca takes its caret, and Firefox its focus with it,
        # to each alert it says.
        orca.key("Insert+a Insert+a", "focus mode, kept", said("Focus mode is sticky"))
        # Orca reads a page as it loads; where it stands, it says when asked.
        orca.key("KP_Enter", "the focused button", lambda s: s.startswith(
            "Turn 1 push button") or s.startswith("Turn 1 button"))
    else:
        orca.hear("the window", said("Tumbra! frame"), since)
        orca.hear("the focused button", said("Turn 1 push button"), since)
    # Level 1 by its typical road: left on Turn 1, left on 3, right on 2,
    # right on 4, each press told by its try count.
    road = [(None, "KP_Divide"), ("Tab Tab", "KP_Divide"),
            ("shift+Tab", "KP_Multiply"), ("Tab Tab", "KP_Multiply")]
    turn = 1
    for count, (move, click) in enumerate(road, 1):
        for step in (move or "").split():
            turn += -1 if step == "shift+Tab" else 1
            orca.tab(step, turn)
        since = len(orca.spoken)
        orca.key(click, f"the count after press {count}",
                 lambda s, c=count: tries(c, 4) in s)
    # The last press opens the box: its title and text, before or after
    # the count.
    orca.heard_since("the box's title and text",
                     r"Finished\W+(dialog\W+)?You beat the level with minimum "
                     r"tries! Prepare for level 2", since)
    orca.key("Return", "level 2's window", said("Turn 1 push button"))
    orca.key("KP_Multiply", "the count on level 2", lambda s: tries(1, 6) in s)
    if not d.program.browser:
        # The right button on Turn 1 turns a quarter counter-clockwise: the
        # top line reads its row so (the left button would leave "11010"
        # there, the right "10010"), and the goal's beside it, told apart
        # by block.
        wanted = line(0, model_press(LEVEL2_START, 1, 3), LEVEL2_GOAL, ["Tries"])
        heard = orca.key("KP_Home", "the top line",
                         lambda s: s.startswith("Play board, row 1"))
        if heard != wanted:
            raise CaseFailed(f"flat review read {heard!r}, not {wanted!r}")
        orca.key("KP_Subtract", "flat review left", lambda s: True)
    # Reset, from the keyboard, brings level 1 afresh.
    for turn in range(2, 6):
        orca.tab("Tab", turn)
    orca.key("Tab", "Reset", said("Reset push button"))
    orca.key("space", "level 1's window", said("Turn 1 push button"))
    orca.key("KP_Divide", "the count on level 1 again", lambda s: tries(1, 4) in s)
    left_alone(players)
