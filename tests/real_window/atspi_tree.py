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


# The roles the checks name, by their number, which AT-SPI keeps; their
# names it has changed (2.52 calls a push button a "button").
ROLES = {int(pyatspi.ROLE_FRAME): "frame",
         int(pyatspi.ROLE_PUSH_BUTTON): "push button",
         int(pyatspi.ROLE_IMAGE): "image",
         int(pyatspi.ROLE_LABEL): "label"}


def node(accessible, depth=0):
    children = []
    if depth < 4:
        children = [node(accessible.getChildAtIndex(i), depth + 1)
                    for i in range(accessible.childCount)]
    role = accessible.getRole()
    return {"role": ROLES.get(int(role), accessible.getRoleName()),
            "name": accessible.name, "description": accessible.description,
            "children": children}


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
