#!/usr/bin/env bash
# Installs the build into a staging folder and checks that the game and its
# solver, the desktop entry, the AppStream metadata and the icon land where
# desktops look.
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
    "usr/share/icons/hicolor/scalable/apps/$id.svg"; do
  if [ -e "$stage/$file" ]; then
    echo "installed: $file"
  else
    echo "missing:   $file"
    status=1
  fi
done
[ -x "$stage/usr/bin/tumbra" ] || { echo "usr/bin/tumbra is not executable"; status=1; }
exit $status
