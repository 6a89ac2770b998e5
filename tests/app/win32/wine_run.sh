#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Runs a Windows program under Wine, on a private X display of its own with
# a window manager, as on a player's desktop, in the Wine prefix that
# WINEPREFIX names, and ends Wine's server for that
# prefix after it. Wine stays quiet and contained: it offers no Mono or
# Gecko install, writes no menu entries, and prints none of its debugging.
# The program's line ends come out as Unix ones. When Wine's own loader
# breaks as the process exits, the program's status is lost with it: where
# its output reported no failure, the program runs once more for its status
# alone, and its first run's output stands.
#   wine_run.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
: "${WINEPREFIX:?the Wine prefix to run in}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
out=$(mktemp) && err=$(mktemp) || exit 1
helpers=()  # Xvfb and openbox, ended with the run however it ends
finish() {
  rm -f "$out" "$err"
  wineserver -k 2> /dev/null || true
  kill "${helpers[@]}" 2> /dev/null || true
  wait "${helpers[@]}" 2> /dev/null || true
}
trap finish EXIT
exec {ready}<> <(:)
Xvfb -displayfd "$ready" -nolisten tcp -screen 0 1280x800x24 \
  > /dev/null 2>&1 &
helpers+=($!)
read -r -t 30 -u "$ready" number || {
  echo "wine_run.sh: Xvfb gave no display" >&2
  exit 1
}
exec {ready}<&-
export DISPLAY=":$number"
openbox > /dev/null 2>&1 &
wm=$!
helpers+=("$wm")
# Wine hides a window by asking the window manager, and waits for it.
deadline=$((SECONDS + 30))
until xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q 'window id'; do
  if ! kill -0 "$wm" 2> /dev/null || [ "$SECONDS" -ge "$deadline" ]; then
    echo "wine_run.sh: openbox did not take $DISPLAY" >&2
    exit 1
  fi
  sleep 0.05
done
status=0
wine "$@" > "$out" 2> "$err" || status=$?
tr -d '\r' < "$out"
tr -d '\r' < "$err" >&2
if [ "$status" -eq 127 ] && grep -q '^Inconsistency detected by ld\.so' "$err" &&
   ! grep -q '^\[  FAILED  \]' "$out" "$err"; then
  echo "wine_run.sh: Wine's loader broke as $1 ended; the status is a second run's" >&2
  status=0
  wine "$@" > /dev/null 2>&1 || status=$?
  echo "wine_run.sh: the second run ended with status $status" >&2
fi
exit "$status"
