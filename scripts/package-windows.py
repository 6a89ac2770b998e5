#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
"""Packs the Windows programs of a build for players, and the source they
were built from beside them:

    BUILD/tumbra-VERSION-windows-x86_64.zip
        tumbra-VERSION/tumbra.exe, tumbra-solve.exe, README.txt, NEWS.txt,
        LICENSE.txt and notices/ (what is linked in statically)
    BUILD/tumbra-VERSION-source.tar.gz

Two runs on the same tree give the same bytes: the files in a fixed order,
each dated from the Debian changelog's latest entry, with fixed owners and
modes.

    package-windows.py BUILD-DIR
"""

import email.utils
import gzip
import io
import os
import subprocess
import sys
import tarfile
import time
import zipfile

# What the programs link in statically, and where Debian keeps its notices.
NOTICES = {
    "mingw-w64.txt": "/usr/share/doc/mingw-w64-x86-64-dev/copyright",
    "gcc-runtime.txt": "/usr/share/doc/gcc-mingw-w64-base/copyright",
}


def cache_value(build, key):
    with open(os.path.join(build, "CMakeCache.txt")) as cache:
        for line in cache:
            name, _, value = line.rstrip("\n").partition("=")
            if name.split(":")[0] == key:
                return value
    sys.exit(f"package-windows: {key} is not in {build}'s CMake cache")


def release_time(tree):
    """The date of the changelog's latest entry, as seconds."""
    with open(os.path.join(tree, "debian", "changelog")) as changelog:
        for line in changelog:
            if line.startswith(" -- "):
                return int(email.utils.mktime_tz(
                    email.utils.parsedate_tz(line.split(">", 1)[1].strip())))
    sys.exit("package-windows: no dated entry in debian/changelog")


def source_files(tree):
    """The project's files as git knows them, committed or not; where the
    tree is no checkout, every file but the builds'."""
    try:
        listed = subprocess.run(
            ["git", "-C", tree, "ls-files", "-z", "--cached", "--others",
             "--exclude-standard"], capture_output=True, check=True).stdout
        names = [n for n in listed.decode().split("\0") if n]
        return sorted(n for n in names if os.path.isfile(os.path.join(tree, n)))
    except (OSError, subprocess.CalledProcessError):
        names = []
        for here, folders, files in os.walk(tree):
            folders[:] = [f for f in folders if not f.startswith("build")
                          and f not in (".git", "node_modules")]
            names += [os.path.relpath(os.path.join(here, f), tree)
                      for f in files]
        return sorted(names)


def crlf(data):
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def write_zip(path, top, entries, stamp):
    date = time.gmtime(stamp)[:6]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, data, mode in entries:
            info = zipfile.ZipInfo(f"{top}/{name}", date_time=date)
            info.create_system = 3
            info.external_attr = mode << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)


def write_source(path, top, tree, names, stamp):
    with open(path, "wb") as out, \
            gzip.GzipFile(filename="", mode="wb", mtime=stamp,
                          fileobj=out, compresslevel=9) as packed, \
            tarfile.open(fileobj=packed, mode="w",
                         format=tarfile.USTAR_FORMAT) as archive:
        for name in names:
            full = os.path.join(tree, name)
            with open(full, "rb") as f:
                data = f.read()
            info = tarfile.TarInfo(f"{top}/{name}")
            info.size = len(data)
            info.mtime = stamp
            info.mode = 0o755 if os.access(full, os.X_OK) else 0o644
            info.uid = info.gid = 0
            info.uname = info.gname = ""
            archive.addfile(info, io.BytesIO(data))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    build = sys.argv[1]
    tree = cache_value(build, "CMAKE_HOME_DIRECTORY")
    version = cache_value(build, "CMAKE_PROJECT_VERSION")
    stamp = release_time(tree)
    top = f"tumbra-{version}"

    def read(path):
        with open(path, "rb") as f:
            return f.read()
    readme = read(os.path.join(tree, "data", "windows", "README.txt"))
    entries = [
        ("tumbra.exe", read(os.path.join(build, "tumbra.exe")), 0o755),
        ("tumbra-solve.exe", read(os.path.join(build, "tumbra-solve.exe")),
         0o755),
        ("README.txt", crlf(readme.replace(b"@VERSION@", version.encode())),
         0o644),
        ("LICENSE.txt", crlf(read(os.path.join(tree, "LICENSE"))), 0o644),
        ("NEWS.txt", crlf(read(os.path.join(tree, "NEWS"))), 0o644),
    ]
    entries += [(f"notices/{name}", crlf(read(source)), 0o644)
                for name, source in sorted(NOTICES.items())]
    zip_path = os.path.join(build, f"{top}-windows-x86_64.zip")
    write_zip(zip_path, top, entries, stamp)
    source_path = os.path.join(build, f"{top}-source.tar.gz")
    write_source(source_path, top, tree, source_files(tree), stamp)
    print(zip_path)
    print(source_path)


if __name__ == "__main__":
    main()
