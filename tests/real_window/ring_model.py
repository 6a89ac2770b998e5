# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The game as a player sees it, written apart from the game's own code:
the levels, colours and rings, shared with the browser's tests, and what a
press does to a board."""

import json
import os

with open(os.path.join(os.path.dirname(os.path.abspath(__file__)),
                       "..", "levels.json")) as levels_file:
    GAME = json.load(levels_file)
COLOURS = {c["code"]: tuple(c["rgb"]) for c in GAME["colours"]}
COLOUR_NAMES = {c["code"]: c["name"] for c in GAME["colours"]}
(LEVEL1_START, LEVEL1_GOAL), (LEVEL2_START, LEVEL2_GOAL) = (
    (level["start"], level["goal"]) for level in GAME["levels"][:2])


# Left on Turn 1, left on 3, right on 2, right on 4 solves level 1.
TYPICAL_ROAD = [(1, 1), (3, 1), (2, 3), (4, 3)]


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


def tries(count, minimum):
    """The tries in words, as every window tells a screen reader."""
    word = "try" if count == 1 else "tries"
    return f"{count} {word} made; the minimum for this level is {minimum}"


def rows(cells):
    """A block's codes, row by row."""
    return " ".join(cells[i:i + 5] for i in range(0, 25, 5))
