#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""Runs the benchmarks and prints their figures as Markdown tables.

Every figure is a ratio against a floor measured in the same run, the two
taken in alternation (A B A B), since these machines are shared and noisy.

    run_benchmarks.py BUILD-DIR [--runs N] [--quick] [--web PAGE]
                      [--windows WINDOWS-BUILD-DIR]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def start_xvfb():
    read, write = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write), "-noreset", "-nolisten", "tcp",
         "-screen", "0", "1280x800x24"],
        pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as f:
        return xvfb, ":" + f.readline().strip()


def summary(values):
    return statistics.median(values), min(values), max(values)


def row(what, unit, game, floor, floor_name):
    g, f = summary(game), summary(floor)
    return (f"| {what} | game {g[0]:.1f} {unit} ({g[1]:.1f}–{g[2]:.1f}) | "
            f"{floor_name} {f[0]:.1f} {unit} ({f[1]:.1f}–{f[2]:.1f}) | "
            f"{g[0] / f[0]:.3f} |")


def start_up_and_memory(build, runs):
    """Exec to first painted frame, and RSS once shown, under Xvfb."""
    xvfb, display = start_xvfb()
    runtime = tempfile.mkdtemp(prefix="tumbra-bench-")
    env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
    env.update(DISPLAY=display, XDG_RUNTIME_DIR=runtime,
               DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent")
    probe = os.path.join(build, "bench", "startup_probe")
    # Both windows show the green of their label at (163, 3) once painted.
    sides = {
        "game": ["Tumbra!", os.path.join(build, "tumbra")],
        "floor": ["Baseline", os.path.join(build, "bench", "baseline_window")],
    }
    samples = {side: {"ms": [], "kib": []} for side in sides}
    try:
        for _ in range(3):  # warm the disk cache and fontconfig
            for title, program in sides.values():
                subprocess.run([probe, title, "163", "3", "00ff00", "--",
                                program], env=env, capture_output=True)
        for _ in range(runs):
            for side, (title, program) in sides.items():
                out = subprocess.run(
                    [probe, title, "163", "3", "00ff00", "--", program],
                    env=env, capture_output=True, text=True, check=True).stdout
                fields = dict(f.split("=") for f in out.split())
                samples[side]["ms"].append(float(fields["startup_ms"]))
                samples[side]["kib"].append(float(fields["rss_kib"]))
    finally:
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(runtime, ignore_errors=True)
    floor = "minimal Qt window"
    return [row("start-up to first frame", "ms", samples["game"]["ms"],
                samples["floor"]["ms"], floor),
            row("RSS once shown", "KiB", samples["game"]["kib"],
                samples["floor"]["kib"], floor)]


def windows_start_up(native, build, runs):
    """The Windows program under Wine against the Windows API's floor, two
    ways: from the process start to the first frame on the X server, and
    from the program's entry to the end of its first paint, which leaves
    Wine's own start out. In a Wine prefix made afresh, under openbox."""
    here = os.path.dirname(os.path.abspath(__file__))
    prefix = os.path.abspath(os.path.join(build, "wine-prefix"))  # Wine refuses a relative one
    subprocess.run([os.path.join(here, "..", "tests", "app", "win32",
                                 "make_prefix.sh"), prefix],
                   check=True, capture_output=True)
    xvfb, display = start_xvfb()
    env = dict(os.environ, DISPLAY=display, WINEPREFIX=prefix,
               WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL)
    time.sleep(1)
    # One server and one set of Wine's own services for every run, and a
    # program already on the desktop, as on a player's, so that no run pays
    # for starting them; they hold no pipe of a run open.
    wine = shutil.which("wine")
    subprocess.run(["wineserver", "-p"], env=env, check=True)
    subprocess.run([wine, "wineboot"], env=env, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True)
    resident = subprocess.Popen([wine, "notepad"], env=env,
                                stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
    time.sleep(2)
    probe = os.path.join(native, "bench", "startup_probe")
    sides = {
        "game": ["Tumbra!", os.path.join(build, "tumbra.exe"),
                 os.path.join(build, "bench", "win32_first_paint_game.exe")],
        "floor": ["Baseline", os.path.join(build, "bench", "win32_baseline.exe"),
                  os.path.join(build, "bench", "win32_first_paint_floor.exe")],
    }
    samples = {side: {"start": [], "paint": []} for side in sides}

    def measure(command):
        out = subprocess.run(command, env=env, capture_output=True, text=True,
                             check=True).stdout
        # Wine tears the last process down after it has gone: the next run
        # starts once that is done.
        time.sleep(0.3)
        return float(out.split()[0].split("=")[1])
    try:
        for round_ in range(runs + 2):  # two rounds warm the caches
            for side, (title, program, _) in sides.items():
                ms = measure([probe, title, "163", "3", "00ff00", "--",
                              wine, program])
                if round_ >= 2:
                    samples[side]["start"].append(ms)
        for round_ in range(runs + 2):
            for side, (_, _, painter) in sides.items():
                ms = measure([wine, painter])
                if round_ >= 2:
                    samples[side]["paint"].append(ms)
    finally:
        resident.kill()
        subprocess.run(["wineserver", "-k"], env=env)
        wm.terminate()
        wm.wait()
        xvfb.terminate()
        xvfb.wait()
    floor = "Windows API window"
    return [row("start-up, process start to first frame", "ms",
                samples["game"]["start"], samples["floor"]["start"], floor),
            row("start-up, entry to end of first paint", "ms",
                samples["game"]["paint"], samples["floor"]["paint"], floor)]


def solver(build, runs):
    """All six levels solved, against starting the same program for --help."""
    solve = os.path.join(build, "tumbra-solve")
    timings = {"solve": [], "version": []}
    for _ in range(runs):
        for side, args in (("solve", [solve]), ("version", [solve, "--version"])):
            start = time.perf_counter()
            subprocess.run(args, capture_output=True, check=True)
            timings[side].append((time.perf_counter() - start) * 1000)
    return row("all six levels, proven shortest", "ms", timings["solve"],
               timings["version"], "process start (--version)")


def offscreen(command):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run(command, env=env, capture_output=True, text=True,
                          check=True).stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=25)
    parser.add_argument("--quick", action="store_true",
                        help="fewer rounds, no million-turn runs")
    parser.add_argument("--web", help="the browser's page, build-web/tumbra.html")
    parser.add_argument("--windows",
                        help="the Windows build, build-windows-bench")
    options = parser.parse_args()
    build = options.build

    print(f"## Start-up and memory ({options.runs} runs each, alternated)\n")
    print("| figure | game, median (min–max) | floor, median (min–max) | ratio |")
    print("|---|---|---|---|")
    for line in start_up_and_memory(build, options.runs):
        print(line)

    print("\n## Reload (offscreen, alternated)\n")
    print("| figure | game, median (min–max) | floor, median (min–max) | ratio |")
    print("|---|---|---|---|")
    rounds = "100" if options.quick else "300"
    print(offscreen([os.path.join(build, "bench", "reload_bench"), rounds,
                     "1000"]).strip())

    print("\n## Solver (alternated)\n")
    print("| figure | solver, median (min–max) | floor, median (min–max) | ratio |")
    print("|---|---|---|---|")
    print(solver(build, 5 if options.quick else 11).replace("| game ", "| "))

    print("\n## Turns (Google Benchmark, ns per turn)\n")
    command = [os.path.join(build, "bench", "turn_bench"),
               "--benchmark_format=csv"]
    if options.quick:
        command.append("--benchmark_filter=/(1000|10000)/iterations")
    lines = offscreen(command).splitlines()
    print("| benchmark | turns | ns per turn |")
    print("|---|---|---|")
    for line in lines:
        if not line.startswith('"'):
            continue
        name, _, _, cpu = line.split(",")[:4]
        name = name.strip('"')
        base, _, turns = name.split("/iterations")[0].rpartition("/")
        print(f"| {base} | {int(turns):,} | {float(cpu):.1f} |")

    if options.windows:
        runs = max(21, options.runs)
        print(f"\n## The Windows window under Wine ({runs} runs each, "
              "alternated)\n")
        print("| figure | game, median (min–max) | floor, median (min–max) "
              "| ratio |")
        print("|---|---|---|---|")
        for line in windows_start_up(build, options.windows, runs):
            print(line)

    if options.web:
        print()
        bench = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                             "web_bench.mjs")
        print(subprocess.run(["node", bench, options.web, str(options.runs)],
                             capture_output=True, text=True,
                             check=True).stdout.strip())
    return 0


if __name__ == "__main__":
    sys.exit(main())
