# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The steps and checks the cases share, each on a Desktop."""

import subprocess

from ring_model import TYPICAL_ROAD
from waits import DEADLINE, CaseFailed, GaveUp, check_wine_status, wait_until


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
    if d.program.windows:
        check_wine_status(status, d.stderr_raw(), f"the game, after {what},")
    assert_equal(status, 0, f"exit status after {what}")
