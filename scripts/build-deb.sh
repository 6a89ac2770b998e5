#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Builds the binary package as Debian builds it, from a copy of the source
# tree in OUT-DIR, and prints the path of the .deb.
#
#   build-deb.sh OUT-DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
source="$out/tumbra-$version"

# The files of the project as git knows them (committed or not), or the
# whole tree less its build folders when it is no checkout.
rm -rf "$source" "$out"/*.deb "$out"/*.ddeb "$out"/*.changes "$out"/*.buildinfo
mkdir -p "$source"
"$root/scripts/copy-worktree.sh" "$root" "$source"

(cd "$source" && dpkg-buildpackage -us -uc -b > "$out/build.log" 2>&1) || {
  tail -n 40 "$out/build.log" >&2
  echo "build-deb: the package build failed; the whole log is $out/build.log" >&2
  exit 1
}
deb=$(ls "$out"/tumbra_"$version"_*.deb)
echo "$deb"
