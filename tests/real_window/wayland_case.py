# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""The game on a Wayland session: Weston's headless backend, the game a
native client of it, its protocol log read for what it asked of the
compositor."""

import os
import re
import shutil
import subprocess
import tempfile

from desktop import CLIENT, own_output
from waits import DEADLINE, CaseFailed, wait_until


# One entry of libwayland's protocol log, "[  1234.567] ...\n". Two threads
# of the program write to it, so an entry may stand split around another;
# taking out whole entries, innermost first, joins every split one again,
# and what is left is the program's own output.
LOG_ENTRY = re.compile(r"\[ *\d+\.\d+\](?:(?!\[ *\d+\.\d)[^\n])*\n")


def split_protocol_log(text):
    """The protocol log's entries in `text`, and the rest of it."""
    entries = []
    while True:
        found = LOG_ENTRY.findall(text)
        if not found:
            return "".join(entries), text
        entries += found
        text = LOG_ENTRY.sub("", text)


def case_wayland(options):
    """On a Wayland session (Weston's headless backend) the game is a native
    Wayland client: its window comes up with the caption and the designed
    client size, as the client's protocol log shows, and a request to end
    the program ends it with status 0."""
    runtime = tempfile.mkdtemp(prefix="tumbra-wayland-")
    os.chmod(runtime, 0o700)
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("QT_", "WAYLAND_")) and k != "DISPLAY"}
    env.update(XDG_RUNTIME_DIR=runtime, XDG_SESSION_TYPE="wayland",
               DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent")
    socket = "tumbra-test"
    weston = subprocess.Popen(
        ["weston", "--backend=headless-backend.so", f"--socket={socket}",
         "--width=1280", "--height=800", "--idle-time=0"],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    game = None
    log = tempfile.TemporaryFile()
    try:
        wait_until("Weston's socket",
                   lambda: os.path.exists(os.path.join(runtime, socket)))
        # Client-side decorations would add Qt's own frame to the surface.
        game = subprocess.Popen(
            [options.program], stdout=subprocess.DEVNULL, stderr=log,
            env=dict(env, WAYLAND_DISPLAY=socket, WAYLAND_DEBUG="client",
                     QT_WAYLAND_DISABLE_WINDOWDECORATION="1"))

        def protocol():
            log.seek(0)
            return split_protocol_log(log.read().decode(errors="replace"))[0]
        # libwayland writes an object as interface@id up to 1.22 and as
        # interface#id from 1.23 on.
        title = re.compile(r'xdg_toplevel[@#]\d+\.set_title\("Tumbra!"\)')
        size = re.compile(r"create_buffer\(new id wl_buffer[@#]\d+, \d+, "
                          rf"{CLIENT[0]}, {CLIENT[1]},")
        try:
            wait_until("a Wayland window captioned Tumbra! of the designed "
                       "size", lambda: title.search(protocol())
                       and size.search(protocol()))
        except CaseFailed as failure:
            lines = [line for line in protocol().splitlines()
                     if "set_title" in line or "create_buffer" in line]
            raise CaseFailed(f"{failure}; the log said:\n" +
                             "\n".join(lines[:20]))
        game.terminate()
        try:
            status = game.wait(timeout=DEADLINE)
        except subprocess.TimeoutExpired:
            raise CaseFailed("the program did not end when asked")
        log.seek(0)
        others = own_output(
            split_protocol_log(log.read().decode(errors="replace"))[1])
        if status != 0:
            raise CaseFailed(f"exit status {status}, not 0; the program "
                             f"wrote:\n{others}")
        if others.strip():
            raise CaseFailed(f"the program wrote to stderr:\n{others}")
    finally:
        if game is not None and game.poll() is None:
            game.kill()
            game.wait()
        weston.terminate()
        weston.wait()
        shutil.rmtree(runtime, ignore_errors=True)
