#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Builds the Windows zip and its source archive as `make windows` does, from
# a copy of the source tree in OUT-DIR, and prints their paths.
#
#   build-windows.sh OUT-DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
source="$out/tumbra"
rm -rf "$source"
mkdir -p "$source"
"$root/scripts/copy-worktree.sh" "$root" "$source"
(cd "$source" && cmake --preset windows && cmake --build --preset windows) \
  > "$out/build.log" 2>&1 || {
  tail -n 40 "$out/build.log" >&2
  echo "build-windows: the build failed; the whole log is $out/build.log" >&2
  exit 1
}
"$source/scripts/package-windows.py" "$source/build-windows" |
  while read -r made; do
    cp "$made" "$out/"
    echo "$out/$(basename "$made")"
  done
