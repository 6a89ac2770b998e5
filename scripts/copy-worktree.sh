#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Copies the files of a git work tree as they stand, committed or not (and
# not ignored), into DEST; files deleted in the tree are left out of it.
# A tree that is no checkout is copied whole, less its build folders.
#
#   copy-worktree.sh TREE DEST
set -euo pipefail
tree=$1
dest=$2
if ! git -C "$tree" rev-parse --git-dir > /dev/null 2>&1; then
  tar -C "$tree" --exclude='./build*' --exclude='./node_modules' -cf - . |
    tar -xf - -C "$dest"
  exit 0
fi
git -C "$tree" ls-files -z --cached --others --exclude-standard |
  (cd "$tree" && xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh) |
  (cd "$tree" && tar --null -T - -cf -) | tar -xf - -C "$dest"
git -C "$tree" ls-files -z --deleted | (cd "$dest" && xargs -0 -r rm -f)
