#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# The solver's command line: the proven shortest solution of each level,
# one level alone at either end of the range, --help, and a one-line error
# with status 2 for anything else.
#   check_cli.sh VERSION COMMAND...
# COMMAND is the solver, or what runs it (Wine and the Windows program);
# the lines wine_run.sh writes of its own are not the solver's.
set -uo pipefail
version=$1
shift
runner=("$@")
solve() {
  "${runner[@]}" "$@" 2> >(grep -v '^wine_run\.sh: ' >&2)
}
failures=0
check() {  # what, expected status, expected line count, command...
  local what=$1 want_status=$2 want_lines=$3
  shift 3
  local out status
  out=$("$@" 2>&1)
  status=$?
  local lines
  lines=$(printf '%s\n' "$out" | grep -c .)
  if [ "$status" -ne "$want_status" ] || [ "$lines" -ne "$want_lines" ]; then
    echo "FAIL $what: status $status, $lines lines:"
    printf '%s\n' "$out" | sed 's/^/    /'
    failures=$((failures + 1))
  else
    echo "PASS $what"
  fi
}
check "all six levels" 0 6 solve
check "the first level" 0 1 solve --level 1
check "the last level" 0 1 solve --level 6
check "help" 0 5 solve --help
check "level out of range" 2 1 solve --level 7
check "level below the range" 2 1 solve --level 0
check "characters after the level" 2 1 solve --level 3x
check "level not a number" 2 1 solve --level x
check "missing level" 2 1 solve --level
check "unknown argument" 2 1 solve --fast
check "a second level" 2 1 solve --level 1 --level 2
check "version" 0 1 solve --version
solve --version | grep -Fxq "tumbra-solve $version" || {
  echo "FAIL the version is not $version"
  failures=$((failures + 1))
}
# The help's example is exactly the line the program prints for its level.
example=$(solve --help | sed -n 's/^  e\.g\. //p')
level=${example%% *}
if [ -z "$example" ] || [ "$example" != "$(solve --level "$level")" ]; then
  echo "FAIL the help's example '$example' is not what --level $level prints"
  failures=$((failures + 1))
fi
# The proven shortest solutions, each as long as no shorter one can be.
shortest="1 4 L4 L2 R3 R1
2 5 L1 R2 L3 L4 R5
3 7 R3 R2 R4 R1 R4 R1 R5
4 10 L5 R2 R4 R3 R2 R1 R4 R3 R1 R5
5 7 R2 R4 R2 R3 L2 R1 L5
6 12 R5 L3 L4 L2 L3 R1 L4 R1 R1 L2 L1 R5"
if [ "$(solve)" != "$shortest" ]; then
  echo "FAIL the solutions are not the proven shortest:"
  solve 2>&1 | sed 's/^/    /'
  failures=$((failures + 1))
fi
[ "$(solve --level 6)" = "${shortest##*$'\n'}" ] || {
  echo "FAIL --level 6 is not the last level's line"
  failures=$((failures + 1))
}
exit $((failures > 0))
