# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""How a case waits, runs a helper, and fails."""

import re
import subprocess
import time

# The longest wait for a window, a focus, a colour or an exit. Every wait
# ends as soon as what it waits for has happened; the limit only has to hold
# on a busy machine running the sanitizer build.
DEADLINE = 30.0


class CaseFailed(Exception):
    pass


class GaveUp(CaseFailed):
    """What was waited for never came; the probe itself worked."""


class WineLost(CaseFailed):
    """Wine's own loader broke as a Windows process ended, where it was
    meant to end: its exit status is lost with it, and the case runs once
    more. Any other failure stands."""


# Wine's words for it, on the ending process's stderr.
WINE_LOADER_BROKE = re.compile(r"^Inconsistency detected by ld\.so", re.MULTILINE)


def check_wine_status(status, stderr, what):
    """Raises WineLost where Wine's loader took `what`'s status."""
    if status == 127 and WINE_LOADER_BROKE.search(stderr):
        raise WineLost(f"Wine's loader broke as {what} ended")


def run(args, env, check=True, timeout=10):
    result = subprocess.run(args, env=env, capture_output=True, text=True,
                            timeout=timeout)
    if check and result.returncode != 0:
        raise CaseFailed(f"{' '.join(args)} failed: {result.stderr.strip()}")
    return result.stdout


def wait_until(what, probe, deadline=DEADLINE):
    """Polls `probe` until it returns something true; fails naming `what`."""
    end = time.monotonic() + deadline
    last = None
    while True:
        last = probe()
        if last:
            return last
        if time.monotonic() > end:
            raise GaveUp(f"gave up waiting for {what}")
        time.sleep(0.02)
