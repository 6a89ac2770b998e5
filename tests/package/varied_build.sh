#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Builds the package (or, given its build script, the Windows zip) a
# second time with what Debian's reproducible-builds checks vary between
# their two builds changed from the first: the build path, the clock (398
# days on), the time zone, the locale, the umask, the host name, and the
# tests left out. Says on lines starting "varied:" what it varied, and fails
# when it cannot vary one of them: a check that quietly varied less would
# pass on less.
#
#   varied_build.sh SOURCE-TREE OUT-DIR [BUILD-SCRIPT]
set -euo pipefail
tree=$1
out=$2
build=${3:-scripts/build-deb.sh}
mkdir -p "$out"
cannot() { echo "varied_build: cannot vary $*" >&2; exit 1; }

env_vars=(TZ=GMT-14 LANGUAGE=fr_CH:fr DEB_BUILD_OPTIONS=nocheck)
varied=("build path $out" "time zone GMT-14" "umask 0002" "tests left out")
umask 0002

# A French Swiss locale, compiled for this build alone.
locales=$(mktemp -d)
trap 'rm -rf "$locales"' EXIT
localedef -i fr_CH -f UTF-8 "$locales/fr_CH.UTF-8" 2> /dev/null ||
  cannot "the locale: no locale sources (package locales)"
env_vars+=(LOCPATH="$locales" LC_ALL=fr_CH.UTF-8 LANG=fr_CH.UTF-8)
varied+=("locale fr_CH.UTF-8")

command=(env "${env_vars[@]}" "$tree/$build" "$out")
command -v faketime > /dev/null || cannot "the clock: no faketime"
command=(faketime -f +398d "${command[@]}")
varied+=("clock +398 days")
unshare --uts true 2> /dev/null || cannot "the host name: unshare needs root"
command=(unshare --uts sh -c 'hostname tumbra-second-build && exec "$@"' sh "${command[@]}")
varied+=("host name")
for v in "${varied[@]}"; do echo "varied: $v"; done
"${command[@]}"
