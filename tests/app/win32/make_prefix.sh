#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Makes the Wine prefix that the Windows tests run in afresh: nothing of an
# earlier run, or of the user's own Wine, reaches them.
#   make_prefix.sh PREFIX
set -euo pipefail
prefix=$1
rm -rf -- "$prefix"
mkdir -p -- "$(dirname -- "$prefix")"
WINEPREFIX=$prefix "$(dirname -- "$0")/wine_run.sh" wineboot --init
