# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The cases that play: presses read back off the screen against the ring
model, the boxes, odd input, and the window as a screen reader reads it."""

import json
import queue
import time

from desktop import CLIENT, SCREEN
from ring_model import (
    COLOUR_NAMES, GAME, LEVEL1_START, LEVEL1_GOAL, LEVEL2_START, LEVEL2_GOAL,
    TYPICAL_ROAD, model_press, tries)
from steps import (
    assert_equal, assert_centred, focused, open_box_by_typical_road, close_box,
    wait_for_exit)
from waits import DEADLINE, CaseFailed, wait_until


def resize(d, size):
    """Asks for a window of `size` and waits until the window has it, or,
    for a size the system will not give (a window of one pixel), until it
    has changed."""
    before = d.geometry()[1]
    d.xdotool("windowsize", d.window, *size)
    if size == CLIENT or not d.program.windows:
        wait_until(f"the window at {size}", lambda: d.geometry()[1] == size)
    else:
        wait_until(f"the window resized towards {size}",
                   lambda: d.geometry()[1] != before)
    d.origin = d.geometry()[0]


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
        resize(d, size)
    d.wait_for_board(board, LEVEL1_GOAL, "after resizing")
    # With the box open: presses, keys and a close request on the game
    # window change nothing, and the box waits for its answer.
    box = open_box_by_typical_road(d)
    for button, mouse in ((1, 1), (5, 3), (4, 2)):
        d.press(button, mouse)
    d.xdotool("key", "a", "5", "Tab", "shift+Tab")
    d.request_close()
    time.sleep(0.3)
    if d.game.poll() is not None:
        raise CaseFailed("the program ended while its box was open")
    if d.windows("Finished") != [box]:
        raise CaseFailed("the box did not stay open")
    # Cancel: the game moves on all the same.
    close_box(d, box, "Escape", give_focus=True)
    d.wait_for_board(LEVEL2_START, LEVEL2_GOAL, "level 2 after the box")
    # And the close request is honoured once the box is gone.
    d.request_close()
    wait_for_exit(d, "the close request")


def circle_names(block, cells):
    return [f"{block}, row {i // 5 + 1}, column {i % 5 + 1}, "
            f"{COLOUR_NAMES[cell]}"
            for i, cell in enumerate(cells)]


def case_screen_reader(d, options):
    """Read over AT-SPI as Orca reads it: the window is a frame named
    Tumbra!, each block 25 images named by row, column and colour, the
    buttons push buttons and the label "Tries" and the count in words (by
    its name or its description); a real press changes the
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
                # "Tries" and the count in words, as name and description:
                # a Windows live region is heard by its name, the count.
                "tries": [tuple(sorted((c["name"], c["description"])))
                          for c in frame["children"] if c["role"] == "label"],
            }
            seen["got"] = got
            return got == expected
        expected = {
            "frame": "frame",
            "board": circle_names("Play board", board),
            "goal": circle_names("Goal picture", LEVEL1_GOAL),
            "buttons": ["Reset"] + [f"Turn {i}" for i in range(1, 6)],
            "tries": [tuple(sorted(("Tries", count)))],
        }
        try:
            wait_until(what, probe)
        except CaseFailed:
            raise CaseFailed(f"{what}: expected {expected}, read "
                             f"{seen.get('got', seen.get('frame'))}")

    check(LEVEL1_START, tries(0, 4), "level 1 as a screen reader reads it")
    d.press(1, 1)
    check(model_press(LEVEL1_START, 1, 1), tries(1, 4),
          "after a left press on Turn 1")


def case_heard_unasked(d, options):
    """What a Windows screen reader hears without asking, as it would hear
    it: after each press of level 1's typical road the tries in words from
    the label's live region, and the box's title and text from the dialog
    as it opens. Where Wine cannot serve a part, the case says so,
    and does not count that part."""
    heard = d.program.listen(d)

    def next_heard(what, deadline=DEADLINE):
        try:
            return heard.get(timeout=deadline)
        except queue.Empty:
            raise CaseFailed(f"a screen reader heard nothing of {what}")
    # The live setting is read through UI Automation, which Wine's
    # annotations would have to serve first.
    d.not_served("the label's live setting: " + (
        "the probe reads no UI Automation" if next_heard("the listener's start")
        ["annotations"] else "this Wine keeps no annotations"))
    for n, (button, mouse) in enumerate(TYPICAL_ROAD, 1):
        d.press(button, mouse)
        assert_equal(next_heard(f"press {n}").get("live"), tries(n, 4),
                     f"the live region after press {n}")
    wait_until("the box", lambda: d.windows("Finished"))
    box = {"title": "Finished",
           "text": "You beat the level with minimum tries! Prepare for level 2"}
    assert_equal(json.loads(d.program.ask(d, "box")), box, "the box as read")
    try:
        assert_equal(heard.get(timeout=5)["dialog"], box, "the dialog as it started")
    except queue.Empty:
        d.not_served("the dialog's start: Wine raises no EVENT_SYSTEM_DIALOGSTART")


def case_every_level(d, options):
    """Every level won by the mouse alone, by a shortest solution, each
    ending in its box (Error where the minimum is beaten), and level 1
    again after level 6."""
    for n, level in enumerate(GAME["levels"], 1):
        d.wait_for_board(level["start"], level["goal"], f"level {n}")
        for press in level["shortest"].split():
            d.press(int(press[1]), 1 if press[0] == "L" else 3)
        title = ("Error" if len(level["shortest"].split()) < level["minimum"]
                 else "Finished")
        close_box(d, wait_until(f"level {n}'s box titled {title}",
                                lambda: d.windows(title))[0], "Return")
    d.wait_for_board(LEVEL1_START, GAME["levels"][0]["goal"],
                     "level 1 after level 6")
