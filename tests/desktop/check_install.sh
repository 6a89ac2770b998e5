#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Installs the build into a staging folder and checks that the game and its
# solver, the desktop entry, the AppStream metadata, the icons and the manual
# pages land where desktops and man look.
#   check_install.sh BUILD-DIR APP-ID
set -euo pipefail
build=$1
id=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage/usr" > /dev/null
status=0
for file in \
    "usr/bin/tumbra" \
    "usr/bin/tumbra-solve" \
    "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" \
    "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    "usr/share/icons/hicolor/16x16/apps/$id.png" \
    "usr/share/icons/hicolor/48x48/apps/$id.png" \
    "usr/share/man/man6/tumbra.6" \
    "usr/share/man/man6/tumbra-solve.6"; do
  if [ -e "$stage/$file" ]; then
    echo "installed: $file"
  else
    echo "missing:   $file"
    status=1
  fi
done
[ -x "$stage/usr/bin/tumbra" ] || { echo "usr/bin/tumbra is not executable"; status=1; }
exit $status
