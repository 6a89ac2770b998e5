#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Checks the built Debian package: lintian finds no error and no warning, and
# dpkg-deb shows every installed file in its place, the binaries stripped
# (their symbols in the -dbgsym package) and hardened, and the dependencies
# the game needs;
# and a second, varied build gives the very same packages.
#
#   check_package.sh DIR-OF-THE-BUILT-PACKAGE
set -uo pipefail
dir=$1
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
pass() { echo "PASS $*"; }

deb=$(ls "$dir"/tumbra_*.deb 2>/dev/null | head -n1)
changes=$(ls "$dir"/tumbra_*.changes 2>/dev/null | head -n1)
[ -n "$deb" ] && [ -n "$changes" ] || { echo "FAIL no package in $dir"; exit 1; }

# Lintian, on the package and on the upload it would make.
report=$(lintian --fail-on error,warning --tag-display-limit 0 "$changes" 2>&1)
if [ $? -ne 0 ] || printf '%s\n' "$report" | grep -q '^[EW]:'; then
  fail "lintian:"
  printf '%s\n' "$report" | sed 's/^/    /'
else
  pass "lintian"
fi

# Every file in its place.
contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
id=org.tumbra.Tumbra
for file in \
    /usr/games/tumbra \
    /usr/games/tumbra-solve \
    /usr/share/applications/$id.desktop \
    /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/$id.svg \
    /usr/share/icons/hicolor/16x16/apps/$id.png \
    /usr/share/icons/hicolor/24x24/apps/$id.png \
    /usr/share/icons/hicolor/32x32/apps/$id.png \
    /usr/share/icons/hicolor/48x48/apps/$id.png \
    /usr/share/icons/hicolor/64x64/apps/$id.png \
    /usr/share/icons/hicolor/128x128/apps/$id.png \
    /usr/share/man/man6/tumbra.6.gz \
    /usr/share/man/man6/tumbra-solve.6.gz \
    /usr/share/doc/tumbra/copyright \
    /usr/share/doc/tumbra/changelog.gz; do
  printf '%s\n' "$contents" | grep -Fxq "$file" || fail "missing from the package: $file"
done
if printf '%s\n' "$contents" | grep -q '^/usr/bin/'; then
  fail "a program in /usr/bin: Debian keeps games in /usr/games"
fi

# The binaries stripped, their debug symbols in the -dbgsym package.
unpacked=$(mktemp -d) && [ -d "$unpacked" ] || { echo "FAIL no temporary folder"; exit 1; }
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
for program in tumbra tumbra-solve; do
  binary=$unpacked/usr/games/$program
  [ -f "$binary" ] || continue
  if readelf -S "$binary" | grep -Eq '\.(symtab|debug_info)'; then
    fail "$program is not stripped"
  fi
done
ls "$dir"/tumbra-dbgsym_*.*deb > /dev/null 2>&1 || fail "no -dbgsym package"

# Built hardened, as debian/rules asks: position-independent, the stack
# protected, fortified, relocations read-only and bound at start. Each of
# the five is read off hardening-check's report: its other checks vary
# between releases (Debian 13's adds branch protection, which amd64 lacks).
for program in tumbra tumbra-solve; do
  hardening=$(hardening-check "$unpacked/usr/games/$program" 2>&1)
  lacks=()
  for feature in "Position Independent Executable" "Stack protected" \
                 "Fortify Source functions" "Read-only relocations" \
                 "Immediate binding"; do
    printf '%s\n' "$hardening" | grep -q "^ $feature: yes" || lacks+=("$feature")
  done
  if [ ${#lacks[@]} -gt 0 ]; then
    fail "$program is not hardened: it lacks ${lacks[*]}"
    printf '%s\n' "$hardening" | sed 's/^/    /'
  fi
done

# What the game needs to open its window, and what it would like.
depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
# Debian 13's move to a 64-bit time_t renamed some libraries with a t64
# ending (libqt6core6t64); either name will do.
for needed in libqt6gui6 libqt6widgets6 libqt6core6; do
  printf '%s\n' "$depends" | grep -Eq "(^|[ ,])${needed}(t64)?( |,|$)" ||
    fail "Depends lacks $needed: $depends"
done
printf '%s\n' "$recommends" | grep -q '\bqt6-wayland\b' || fail "Recommends lacks qt6-wayland: $recommends"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"

[ $failures -eq 0 ] && pass "package contents, stripping and dependencies"

# Reproducible: a second build of the same tree, varied as Debian's
# reproducible-builds checks vary theirs (build path, clock, time zone,
# locale, umask, host name, the tests left out), must give the same bytes,
# the -dbgsym package included.
if [ "${TUMBRA_SKIP_REBUILD:-}" != 1 ]; then
  here=$(cd "$(dirname "$0")/../.." && pwd)
  again=$(mktemp -d /tmp/tumbra-second-build.XXXXXX) && [ -d "$again" ] ||
    { echo "FAIL no temporary folder for the second build"; exit 1; }
  trap 'rm -rf "$unpacked" "$again"' EXIT
  "$here/tests/package/varied_build.sh" "$here" "$again/other/place" > "$again/log" 2>&1
  if [ $? -ne 0 ]; then
    fail "the second, varied build failed:"
    tail -n 30 "$again/log" | sed 's/^/    /'
  else
    grep '^varied:' "$again/log" | sed 's/^/    /'
    same=1
    for first in "$dir"/tumbra_*.deb "$dir"/tumbra-dbgsym_*.*deb; do
      second=$again/other/place/$(basename "$first")
      if ! cmp -s "$first" "$second"; then
        same=0
        fail "$(basename "$first") differs between two builds of the same tree"
        if command -v diffoscope > /dev/null; then
          diffoscope --text - "$first" "$second" 2>&1 | head -n 40 | sed 's/^/    /'
        else
          cmp "$first" "$second" 2>&1 | sed 's/^/    /'
        fi
      fi
    done
    [ $same -eq 1 ] && pass "two varied builds give the same bytes"
  fi
fi
exit $((failures > 0))
