# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The page in a real browser window, pressed with the real mouse: no menu
of the browser's own ever stands over the game or its box."""

import time

from ring_model import (
    LEVEL1_GOAL, LEVEL1_START, LEVEL2_GOAL, LEVEL2_START, TYPICAL_ROAD,
    model_press)
from waits import CaseFailed, wait_until


def case_no_browser_menu(d, options):
    """Level 1 by its typical road, its last press the right button, then a
    right press on the box and on its backdrop: the box opens and no menu
    of the browser's shows over it; Return answers the box."""
    board = LEVEL1_START
    d.wait_for_board(board, LEVEL1_GOAL, "level 1")
    for n, (button, mouse) in enumerate(TYPICAL_ROAD, 1):
        d.press(button, mouse)
        board = model_press(board, button, mouse)
        if n < len(TYPICAL_ROAD):
            d.wait_for_board(board, LEVEL1_GOAL, f"after press {n}")
    # The box's backdrop dims the page, the green label with it.
    label = d.cell_centre(6, 0)
    wait_until("the box", lambda: d.pixel(d.screenshot(), label) != (0, 255, 0))
    (x, y), scale = d.origin, d.scale
    middle = (int(x + 417 * scale / 2), int(y + 161 * scale / 2))
    backdrop = (x + 4, int(y + 161 * scale) + 8)
    for what, at in (("as the box opened", None), ("on the box", middle),
                     ("on its backdrop", backdrop)):
        if at is not None:
            d.xdotool("mousemove", *at, "click", 3)
        time.sleep(0.5)
        if d.popups():
            raise CaseFailed(f"a menu of the browser's stands over the box {what}")
    d.xdotool("key", "Return")
    d.wait_for_board(LEVEL2_START, LEVEL2_GOAL, "level 2 after Return")
