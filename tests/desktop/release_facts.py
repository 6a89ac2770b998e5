#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""Every place that states the release says the same as CMake's version
and the date of the Debian changelog's first entry: NEWS, the AppStream
metadata and the manual pages as built; and the changelog's entry tells
the items of NEWS, which holds the release notes, word for word.

    release_facts.py VERSION DATE SOURCE-DIR BUILD-DIR
"""

import re
import sys

version, date, source, build = sys.argv[1:5]
failures = []


def check(what, seen, expected):
    if seen != expected:
        failures.append(f"{what}: {seen!r}, not {expected!r}")


def items(text, bullet, indent):
    """The items of the first release in `text`, each on one line."""
    found = []
    for line in text.split("\n\n\n")[0].splitlines():
        if line.startswith(bullet):
            found.append(line[len(bullet):].strip())
        elif found and line.startswith(indent) and line.strip():
            found[-1] += " " + line.strip()
    return found


news = open(f"{source}/NEWS").read()
changelog = open(f"{source}/debian/changelog").read()
check("NEWS's heading", news.splitlines()[0], f"Tumbra! {version} ({date})")
check("the changelog's entry", changelog.split(")")[0], f"tumbra ({version}")
check("the changelog's items", items(changelog.split("\n -- ")[0], "  * ", "    "),
      items(news, "* ", "  "))
metainfo = open(f"{build}/org.tumbra.Tumbra.metainfo.xml").read()
check("the AppStream metadata's release",
      re.search(r"<release [^>]*>", metainfo).group(0),
      f'<release version="{version}" date="{date}">')
for page, title in (("tumbra.6", "TUMBRA"), ("tumbra-solve.6", r"TUMBRA\-SOLVE")):
    heading = next(line for line in open(f"{build}/{page}") if line.startswith(".TH"))
    check(f"{page}'s heading", heading.strip(),
          f'.TH {title} 6 {date} "Tumbra! {version}" "Games"')
for failure in failures:
    print(f"FAIL {failure}")
print(f"{'FAIL' if failures else 'PASS'} release {version} of {date} everywhere")
sys.exit(1 if failures else 0)
