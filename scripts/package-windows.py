#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
r"""Packs the Windows programs of a build for players, and the source they
were built from beside them:

    BUILD/tumbra-VERSION-windows-x86_64.zip
        tumbra-VERSION/tumbra.exe, tumbra-solve.exe, README.txt, NEWS.txt,
        LICENSE.txt and notices/ (what is linked in statically)
    BUILD/tumbra-VERSION-x64.msi
        the same files, installed for all users into Program Files\Tumbra!,
        with a Start-menu shortcut, an entry in Settings > Apps and a major
        upgrade (Debian's wixl builds it)
    BUILD/tumbra-VERSION-source.tar.gz

Two runs on the same tree give the same bytes: the files in a fixed order,
each dated from the Debian changelog's latest entry, with fixed owners and
modes, and the installer's codes made from fixed seeds.

    package-windows.py BUILD-DIR [--msi-version VERSION]

With --msi-version, only an installer of that version is written (the
tests build a newer release from the same programs so).
"""

import email.utils
import gzip
import hashlib
import io
import os
import shutil
import subprocess
import sys
import tarfile
import tempfile
import time
import uuid
import zipfile
from xml.sax.saxutils import quoteattr

# Windows Installer knows the game by these for good: the seed of every
# code and the names made from it must never change. The upgrade code and
# each component's code stay the same in every release; the product code
# follows the version, as a major upgrade needs; the package code follows
# the bytes packed.
SEED = uuid.uuid5(uuid.NAMESPACE_DNS, "tumbra.example.org")
PUBLISHER = "The Tumbra! developers"

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


def code(name):
    return "{" + str(uuid.uuid5(SEED, name)).upper() + "}"


def write_msi(path, version, entries, icon, stamp):
    """The installer of `entries` (name, bytes, mode), all in one feature,
    each file its own component; built in a folder of its own, every file
    dated `stamp` and the clock stopped there, so that two builds give the
    same bytes."""
    stage = tempfile.mkdtemp(prefix="tumbra-msi-")
    try:
        digest = hashlib.sha256(version.encode())
        for name, data, _ in entries + [("tumbra.ico", icon, 0o644)]:
            os.makedirs(os.path.dirname(os.path.join(stage, name)), exist_ok=True)
            with open(os.path.join(stage, name), "wb") as f:
                f.write(data)
            os.utime(os.path.join(stage, name), (stamp, stamp))
            digest.update(name.encode() + data)
        folders = {"": [], "notices": []}
        for name, _, _ in entries:
            folder, _, file = name.rpartition("/")
            key = "file." + name.replace("/", ".").replace("-", "_")
            shortcut = ('<Shortcut Id="StartMenu" Directory="ProgramMenuFolder" '
                        'Name="Tumbra!" Description="Tumbra! puzzle game" '
                        'Target="[INSTALLDIR]tumbra.exe" WorkingDirectory="INSTALLDIR" '
                        'Icon="tumbra.ico"/>' if name == "tumbra.exe" else "")
            folders[folder].append(
                f'<Component Id={quoteattr(key)} Guid="{code("component " + name)}" '
                f'Win64="yes"><File Id={quoteattr(key)} Name={quoteattr(file)} '
                f'Source={quoteattr(name)} KeyPath="yes"/>{shortcut}</Component>')
        refs = "".join(f'<ComponentRef Id={quoteattr("file." + n.replace("/", ".").replace("-", "_"))}/>'
                       for n, _, _ in entries)
        wxs = f"""<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
 <Product Id="{code('product ' + version)}" Name="Tumbra!" Language="1033"
   Version="{version}" Manufacturer="{PUBLISHER}" UpgradeCode="{code('upgrade')}">
  <Package InstallerVersion="500" Compressed="yes" InstallScope="perMachine"
    Description="Tumbra! puzzle game" Manufacturer="{PUBLISHER}"/>
  <MajorUpgrade DowngradeErrorMessage="A newer release of Tumbra! is already installed. Remove it first to install this one."/>
  <Media Id="1" Cabinet="tumbra.cab" EmbedCab="yes"/>
  <Icon Id="tumbra.ico" SourceFile="tumbra.ico"/>
  <Property Id="ARPPRODUCTICON" Value="tumbra.ico"/>
  <Property Id="ARPNOMODIFY" Value="1"/>
  <Directory Id="TARGETDIR" Name="SourceDir">
   <Directory Id="ProgramFiles64Folder">
    <Directory Id="INSTALLDIR" Name="Tumbra!">{"".join(folders[""])}
     <Directory Id="NOTICES" Name="notices">{"".join(folders["notices"])}</Directory>
    </Directory>
   </Directory>
   <Directory Id="ProgramMenuFolder"/>
  </Directory>
  <Feature Id="Game" Level="1">{refs}</Feature>
 </Product>
</Wix>
"""
        with open(os.path.join(stage, "tumbra.wxs"), "w") as f:
            f.write(wxs)
        digest.update(wxs.encode())
        # The clock stopped at the release's date for wixl and msibuild,
        # which stamp the installer with the time (-f: stopped, not started
        # there; Debian 13's libgsf writes its nanoseconds): a clock that
        # another faketime already shifts is left out first.
        stopped = ["faketime", "-f", time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(stamp))]
        env = {k: v for k, v in os.environ.items()
               if k != "LD_PRELOAD" and not k.startswith("FAKETIME")}
        env["TZ"] = "UTC"
        subprocess.run([*stopped, "wixl", "-a", "x64", "-o", "out.msi", "tumbra.wxs"],
                       cwd=stage, env=env, check=True, capture_output=True)
        package = "{" + str(uuid.UUID(digest.hexdigest()[:32], version=4)).upper() + "}"
        subprocess.run([*stopped, "msibuild", "out.msi", "-s", "Tumbra!", PUBLISHER,
                        "x64;1033", package], cwd=stage, env=env, check=True,
                       capture_output=True)
        shutil.copyfile(os.path.join(stage, "out.msi"), path)
    finally:
        shutil.rmtree(stage, ignore_errors=True)


def main():
    args = sys.argv[1:]
    if len(args) not in (1, 3) or (len(args) == 3 and args[1] != "--msi-version"):
        sys.exit(__doc__)
    build = args[0]
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
    icon = read(os.path.join(tree, "data", "icons", "org.tumbra.Tumbra.ico"))
    msi_version = args[2] if len(args) == 3 else version
    msi_path = os.path.join(build, f"tumbra-{msi_version}-x64.msi")
    write_msi(msi_path, msi_version, entries, icon, stamp)
    if len(args) == 3:
        print(msi_path)
        return
    zip_path = os.path.join(build, f"{top}-windows-x86_64.zip")
    write_zip(zip_path, top, entries, stamp)
    source_path = os.path.join(build, f"{top}-source.tar.gz")
    write_source(source_path, top, tree, source_files(tree), stamp)
    print(zip_path)
    print(msi_path)
    print(source_path)


if __name__ == "__main__":
    main()
