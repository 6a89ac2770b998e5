#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# The solver's command line: the six lines, one level alone, --help, and a
# one-line error with status 2 for anything else.
#   check_cli.sh PATH-TO-tumbra-solve VERSION
set -uo pipefail
solve=$1
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
check "all six levels" 0 6 "$solve"
check "one level" 0 1 "$solve" --level 3
check "help" 0 5 "$solve" --help
check "level out of range" 2 1 "$solve" --level 7
check "level not a number" 2 1 "$solve" --level x
check "missing level" 2 1 "$solve" --level
check "unknown argument" 2 1 "$solve" --fast
check "a second level" 2 1 "$solve" --level 1 --level 2
check "version" 0 1 "$solve" --version
"$solve" --version | grep -Fxq "tumbra-solve $2" || {
  echo "FAIL the version is not $2"
  failures=$((failures + 1))
}
# The help's example is exactly the line the program prints for its level.
example=$("$solve" --help | sed -n 's/^  e\.g\. //p')
level=${example%% *}
if [ -z "$example" ] || [ "$example" != "$("$solve" --level "$level")" ]; then
  echo "FAIL the help's example '$example' is not what --level $level prints"
  failures=$((failures + 1))
fi
"$solve" --level 3 | grep -Eq '^3 7( [LR][1-5]){7}$' || {
  echo "FAIL level 3 line format"
  failures=$((failures + 1))
}
exit $((failures > 0))
