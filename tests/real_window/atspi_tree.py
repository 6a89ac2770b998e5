#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""Prints, as JSON, what a screen reader reads of one application over
AT-SPI: each accessible's role, name and description, and its children.

    atspi_tree.py APPLICATION-NAME

Runs on the system's Python, whose pyatspi (python3-pyatspi) is the client
Orca reads the desktop with. Prints null when no such application is on the
accessibility bus.
"""

import json
import sys

import pyatspi


def node(accessible, depth=0):
    children = []
    if depth < 4:
        children = [node(accessible.getChildAtIndex(i), depth + 1)
                    for i in range(accessible.childCount)]
    # The role by its enum, which libatspi keeps, not by its display name,
    # which it has changed ("push button" is "button" from 2.52 on).
    return {"role": accessible.getRole().value_nick, "name": accessible.name,
            "description": accessible.description, "children": children}


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        application = desktop.getChildAtIndex(i)
        if application is not None and application.name == sys.argv[1]:
            print(json.dumps(node(application)))
            return 0
    print("null")
    return 0


if __name__ == "__main__":
    sys.exit(main())
