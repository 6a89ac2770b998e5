#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Each Windows program imports only DLLs that every Windows has: nothing
# of the compiler's runtime, which is linked in. Nor do they import the
# screen readers' oleacc, ole32 and oleaut32, which the game loads only
# when a screen reader first asks.
#   check_imports.sh PROGRAM.exe...
set -uo pipefail
system="ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll USER32.dll"
failures=0
for program; do
  imports=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\tDLL Name: //p')
  [ -n "$imports" ] || { echo "FAIL $program: no imports read"; failures=1; }
  for dll in $imports; do
    if ! printf '%s\n' $system | grep -qixF "$dll"; then
      echo "FAIL $(basename "$program") imports $dll, which it may not load at start"
      failures=1
    fi
  done
  echo "$(basename "$program") imports:" $imports
done
exit $failures
