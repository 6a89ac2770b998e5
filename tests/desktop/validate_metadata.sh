#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Validates the desktop entry and the AppStream metadata as strictly as the
# validators go, and fails on anything they report but the notes that are
# expected:
# - the id has upper case (org.tumbra.Tumbra, kept to match the desktop file);
# - the game has no web home, so the metadata names no homepage, and
#   AppStream 1.0 warns that it has none (0.16 does not ask for one);
# - validators older than the keys we use (desktop-file-utils before 0.27
#   knows no SingleMainWindow, AppStream before 1.0 no <developer>) say so.
#
#   validate_metadata.sh DESKTOP-FILE METAINFO-FILE
set -uo pipefail
desktop=$1
metainfo=$2
status=0

older_than() {  # version, minimum
  [ "$(printf '%s\n%s\n' "$1" "$2" | sort -V | head -n1)" != "$2" ]
}

report() {  # what, text of the complaints that are not expected
  if [ -n "$2" ]; then
    echo "FAIL $1:"
    printf '%s\n' "$2" | sed 's/^/    /'
    status=1
  else
    echo "PASS $1"
  fi
}

entry=$(desktop-file-validate "$desktop" 2>&1)
dfu=$(dpkg-query -W -f='${Version}' desktop-file-utils 2>/dev/null || echo 0.27)
if older_than "${dfu%%-*}" 0.27; then
  entry=$(printf '%s\n' "$entry" | grep -v 'key "SingleMainWindow"')
fi
report "desktop entry" "$(printf '%s\n' "$entry" | grep .)"

as=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1)
asv=$(appstreamcli --version | sed -n 's/.*version: *//p')
filtered=$(printf '%s\n' "$as" | grep -E '^[EWIP]:' |
  grep -v -e 'cid-contains-uppercase-letter' -e 'url-homepage-missing$')
if older_than "$asv" 1.0; then
  filtered=$(printf '%s\n' "$filtered" | grep -v 'unknown-tag developer$')
fi
report "AppStream metadata" "$filtered"
exit $status
