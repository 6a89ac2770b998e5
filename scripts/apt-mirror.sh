#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Prints the address of the Debian archive this machine's apt takes its
# packages from, or with `security` that of its security archive: a root we
# build for another release uses the same mirrors, and no address is written
# into the project. Only Debian's own archive counts, as its Release file
# names it: a third-party repository that serves the same suite never does.
#
#   apt-mirror.sh [main|security]
set -euo pipefail
want=${1:-main}
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
case $want in
  main) suite=$codename ;;
  security) suite=$codename-security ;;
  *) echo "usage: $0 [main|security]" >&2; exit 2 ;;
esac
uri=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(TARGET_OF) $(ORIGIN)' |
      awk -v suite="$suite" '$2 == suite && $3 == "deb" && $4 == "Debian" {
        print $1; exit }')
if [ -z "$uri" ]; then
  echo "$0: apt here has no Debian archive for $suite (after apt-get update)" >&2
  exit 1
fi
echo "${uri%/}"
