#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Builds the release that players hold today from its own commit, so that
# the upgrade cases start from what players really have: its page's files
# (web) or its Debian package (deb), in OUT-DIR, with its version in
# OUT-DIR/version. Built once; later runs find it there. Needs the
# project's history (a full clone). The one place that names that release.
#
#   old-release.sh web|deb OUT-DIR
set -euo pipefail
kind=${1:?usage: old-release.sh web|deb OUT-DIR}
out=${2:?usage: old-release.sh web|deb OUT-DIR}
root=$(cd "$(dirname "$0")/.." && pwd)
version=1.0.0
commit=7523c44a53e3ad91a8f51ca434c02a0450995770
[ -e "$out/.complete" ] && exit 0
if ! git -C "$root" cat-file -e "$commit^{commit}" 2> /dev/null; then
  echo "old-release.sh: the commit of $version is not in this clone's history" >&2
  exit 1
fi
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
# Outside every checkout: the release's own scripts copy its tree as git
# knows it, and it is no checkout of its own.
source=$(mktemp -d /tmp/tumbra-$version.XXXXXX) && [ -d "$source" ] ||
  { echo "old-release.sh: no temporary folder" >&2; exit 1; }
trap 'rm -rf "$source"' EXIT
git -C "$root" archive "$commit" | tar -x -C "$source"
failed() {
  tail -n 30 "$out/build.log" >&2
  echo "old-release.sh: $version's build failed; the whole log is $out/build.log" >&2
  exit 1
}
case $kind in
  web)
    # Debian's emcc needs its own Node.js modules.
    (cd "$source" && export NODE_PATH=/usr/share/nodejs &&
     cmake --preset web && cmake --build --preset web) \
      > "$out/build.log" 2>&1 || failed
    for name in $(grep -v '^#' "$root/src/app/web/published.list"); do
      cp "$source/build-web/$name" "$out/"
    done ;;
  deb)
    DEB_BUILD_OPTIONS=nocheck "$source/scripts/build-deb.sh" "$out" \
      > "$out/build.log" 2>&1 || failed ;;
  *) echo "old-release.sh: no kind '$kind' (web or deb)" >&2; exit 2 ;;
esac
echo "$version" > "$out/version"
touch "$out/.complete"
