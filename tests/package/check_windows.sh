#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Checks the Windows zip that `make windows` wrote: it holds the two
# programs, the players' README and NEWS, the licence and the notices of what is
# linked in, and nothing else; the game and its installer are small; the
# source archive lies beside them; and a second, varied build gives the very
# same bytes, the installer's codes included.
#
#   check_windows.sh BUILD-DIR
set -uo pipefail
dir=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
pass() { echo "PASS $*"; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
zip=$dir/tumbra-$version-windows-x86_64.zip
source=$dir/tumbra-$version-source.tar.gz
msi=$dir/tumbra-$version-x64.msi
[ -f "$zip" ] && [ -f "$source" ] && [ -f "$msi" ] ||
  { echo "FAIL no zip, installer and source in $dir"; exit 1; }

top=tumbra-$version
expected=$(printf '%s\n' "$top/LICENSE.txt" "$top/NEWS.txt" "$top/README.txt" \
  "$top/notices/gcc-runtime.txt" "$top/notices/mingw-w64.txt" \
  "$top/tumbra-solve.exe" "$top/tumbra.exe")
listed=$(unzip -Z1 "$zip" | LC_ALL=C sort)
[ "$listed" = "$expected" ] && pass "the zip's files" ||
  fail "the zip holds $(echo $listed), not $(echo $expected)"
size=$(unzip -Zl "$zip" "$top/tumbra.exe" | awk 'NR == 1 { print $4 }')
[ "$size" -le 300000 ] && pass "tumbra.exe is $size bytes" ||
  fail "tumbra.exe is $size bytes, more than 300 kB"
size=$(stat -c %s "$msi")
[ "$size" -le 400000 ] && pass "the installer is $size bytes" ||
  fail "the installer is $size bytes, more than 400 kB"
tar -tzf "$source" "$top/src/app/win32/win_view.cpp" > /dev/null 2>&1 &&
  pass "the source archive holds the source" ||
  fail "the source archive lacks the Windows window's source"

# Reproducible: the same tree built again, varied as the package's second
# build is, gives the same zip and source archive.
again=$(mktemp -d /tmp/tumbra-second-windows.XXXXXX) && [ -d "$again" ] ||
  { echo "FAIL no temporary folder for the second build"; exit 1; }
trap 'rm -rf "$again"' EXIT
if ! "$here/tests/package/varied_build.sh" "$here" "$again/other/place" \
    scripts/build-windows.sh > "$again/log" 2>&1; then
  fail "the second, varied build failed:"
  tail -n 30 "$again/log" | sed 's/^/    /'
else
  grep '^varied:' "$again/log" | sed 's/^/    /'
  for first in "$zip" "$msi" "$source"; do
    if cmp -s "$first" "$again/other/place/$(basename "$first")"; then
      pass "$(basename "$first") is the same in two varied builds"
    else
      fail "$(basename "$first") differs between two builds of the same tree"
    fi
  done
fi
exit $((failures > 0))
