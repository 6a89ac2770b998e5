#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Installs, from Debian's own packages, what one purpose needs and this
# machine lacks. Safe to run again: it asks dpkg first and calls apt-get only
# for what is missing.
#
#   install-deps.sh GROUP...
#
# run      what the game needs to open its window on X11 and Wayland
# build    what building it needs
# test     what the whole test suite needs (it checks the package and
#          compiles the benchmarks too)
# package  what building the Debian package and checking it as Debian
#          does (lintian, hardening-check, autopkgtest, piuparts) needs
# web      what building the browser's page and testing it in Chromium,
#          Firefox ESR and WebKitGTK needs
# windows  what cross-building the Windows programs, their zip and their
#          installer needs
# bench    what the benchmarks need
# icons    what rendering the icon's PNG sizes needs
# cross    what cross-building the logic and the solver for s390x and
#          i686 and running their tests under emulation needs
# debian13 what checking the suite on a fresh Debian 13 root needs
#
# The test tools hold clang with its sanitizer runtimes and LLVM's
# symbolizer, without which a leak report names no function.
#
# A member written PACKAGE:COMMAND is wanted only where COMMAND is missing:
# a Node.js from elsewhere brings its own npm, which Debian's would clash
# with.
set -euo pipefail

declare -A groups=(
  [run]="libqt6widgets6 libqt6gui6 qt6-qpa-plugins qt6-wayland fonts-dejavu-core"
  [build]="make cmake g++ pkg-config qt6-base-dev"
  [package]="build-essential debhelper dpkg-dev lintian libgtest-dev
             fonts-dejavu-core faketime locales devscripts autopkgtest
             piuparts mmdebstrap arch-test"
  [test]="libgtest-dev libgmock-dev python3 libx11-dev xvfb xauth xdotool
          imagemagick x11-utils openbox weston desktop-file-utils appstream
          reuse clang libclang-rt-dev llvm python3-pyatspi at-spi2-core
          dbus-daemon dbus-bin wmctrl wine wine64 googletest unzip orca"
  [web]="emscripten node-jsdom chromium firefox-esr webkit2gtk-driver xvfb nodejs:node
         npm:npm"
  [windows]="make cmake python3 git g++-mingw-w64-x86-64-posix wixl msitools
             faketime"
  [bench]="libbenchmark-dev libx11-dev python3 xvfb xauth"
  [icons]="librsvg2-bin icoutils"
  [cross]="make cmake googletest g++-s390x-linux-gnu g++-i686-linux-gnu
           qemu-user-static"
  [debian13]="debootstrap git"
)

if [ $# -eq 0 ]; then
  echo "usage: $0 GROUP... (groups: ${!groups[*]})" >&2
  exit 2
fi

packages=()
add_group() {
  set -f  # the members are words, never file patterns
  packages+=(${groups[$1]})
  set +f
}
for group in "$@"; do
  if [ -z "${groups[$group]+set}" ]; then
    echo "$0: no group '$group' (groups: ${!groups[*]})" >&2
    exit 2
  fi
  add_group "$group"
  # The suite builds and checks the package, the browser's page and the
  # Windows programs, and compiles the benchmarks, so that none of them
  # falls behind the code.
  if [ "$group" = test ]; then
    add_group package
    add_group web
    add_group windows
    add_group bench
    add_group cross
  fi
done

# Two make targets run at once by one user wait for each other here, and
# then for any other user of apt at apt's own lock, instead of failing on
# it. The lock lies where no other user can write (root's /run, or the
# user's runtime folder or home), is opened without truncating whatever it
# is, and goes with the process that holds it.
if [ "$(id -u)" -eq 0 ]; then
  lock_dir=/run
else
  lock_dir=${XDG_RUNTIME_DIR:-$HOME}
fi
exec 9>> "$lock_dir/tumbra-install-deps.lock"
flock 9

# Debian 13's qemu-user holds the static emulators; its qemu-user-static
# would also register them with the kernel for every program of the machine.
if [ "$(. /etc/os-release && echo "$VERSION_CODENAME")" != bookworm ]; then
  packages=("${packages[@]/#qemu-user-static/qemu-user}")
fi

missing=()
for p in "${packages[@]}"; do
  if [[ $p == *:* ]]; then
    command -v "${p#*:}" > /dev/null && continue
    p=${p%%:*}
  fi
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
wait_for_apt=(-o DPkg::Lock::Timeout=900)
$sudo apt-get "${wait_for_apt[@]}" update -q
$sudo apt-get "${wait_for_apt[@]}" install -y -q --no-install-recommends \
  "${missing[@]}"
