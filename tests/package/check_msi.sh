#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# The Windows installer under Wine, in a prefix of its own, as a player or
# an administrator uses it: installed, its files, its Start-menu shortcut
# and its entry in Settings > Apps are where Windows puts them, and the
# installed game plays the typical road to its box; a newer release, built
# from the same programs, upgrades it to one entry, and the older one is
# refused after it; uninstalled, nothing of the game is left.
#   check_msi.sh BUILD-DIR WINDOWS-TEST-BUILD-DIR
set -uo pipefail
dir=$(cd "$1" && pwd)
probe=$(cd "$2" && pwd)/tests/window_probe.exe
here=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
check() { if eval "$2"; then echo "PASS $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
IFS=. read -r major minor _ <<< "$version"
newer=$major.$((minor + 1)).0
export WINEPREFIX=$dir/msi-prefix
run() { "$here/tests/app/win32/wine_run.sh" "$@" 2> /dev/null; }
windows_path() { echo "Z:${1//\//\\}"; }
msiexec() {  # /i or /x, the installer; its log in $dir/msiexec.log
  run msiexec "$1" "$(windows_path "$2")" /qn /l*v "$(windows_path "$dir/msiexec.log")"
}
"$here/tests/app/win32/make_prefix.sh" "$WINEPREFIX" > /dev/null 2>&1 ||
  { echo "FAIL no Wine prefix to install in"; exit 1; }
folder="$WINEPREFIX/drive_c/Program Files/Tumbra!"
entries() {  # the uninstall entries named Tumbra!, each as "version publisher"
  run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
    tr -d '\r' | awk -v RS= '/DisplayName +REG_SZ +Tumbra!\n/ {
      match($0, /DisplayVersion +REG_SZ +[^\n]*/); v = substr($0, RSTART, RLENGTH)
      match($0, /Publisher +REG_SZ +[^\n]*/); p = substr($0, RSTART, RLENGTH)
      sub(/.*REG_SZ +/, "", v); sub(/.*REG_SZ +/, "", p); print v " " p }'
}

msi=$dir/tumbra-$version-x64.msi
table() { msiinfo export "$1" "$2" | tr -d '\r'; }
check "installs for all users" "msiexec /i '$msi' && table '$msi' Property | grep -x 'ALLUSERS.1' > /dev/null"
check "its files in Program Files\\Tumbra!" "[ \"\$(cd \"\$folder\" && find . -type f | LC_ALL=C sort | tr '\n' ' ')\" = \
'./LICENSE.txt ./NEWS.txt ./README.txt ./notices/gcc-runtime.txt ./notices/mingw-w64.txt ./tumbra-solve.exe ./tumbra.exe ' ]"
menu=$(sed -n 's/^Property(S): ProgramMenuFolder = //p' "$dir/msiexec.log" | tr -d '\r')
shortcut="$(run winepath -u "$menu" | tr -d '\r')/Tumbra!.lnk"
# Windows puts a machine's shortcut in all users' Start menu, Wine in the
# user's: it is looked for where the installer put the Start menu.
link() { strings -a "$shortcut"; strings -a -el "$shortcut"; }  # its texts
check "a Start-menu shortcut Tumbra! to the game, with its icon, in $menu" \
  "link | grep -xF 'C:\\Program Files\\Tumbra!\\tumbra.exe' > /dev/null &&
   link | grep '[\\]tumbra[.]ico$' > /dev/null"
check "one entry in Settings > Apps: Tumbra! $version by the publisher" \
  "[ \"\$(entries)\" = '$version The Tumbra! developers' ]"
check "the entry's icon" "run reg query 'HKCR\\Installer\\Products' /s | grep 'ProductIcon.*tumbra[.]ico' > /dev/null"
check "the installed game plays the typical road to its box" \
  "python3 '$here/tests/real_window/real_window_test.py' --program '$folder/tumbra.exe' \
     --probe '$probe' --artifacts '$dir/msi-real-window' --case typical_road_and_box"

newer_msi=$("$here/scripts/package-windows.py" "$dir" --msi-version "$newer")
check "$newer upgrades it, to one entry" \
  "msiexec /i '$newer_msi' && [ \"\$(entries)\" = '$newer The Tumbra! developers' ]"
# Wine's installer logs no launch condition's words; Windows says them.
check "$version is then refused, saying why" \
  "! msiexec /i '$msi' && table '$msi' LaunchCondition |
   grep '^NOT WIX_DOWNGRADE_DETECTED.A newer release of Tumbra! is already installed' > /dev/null"
check "uninstalled, nothing of the game is left" \
  "msiexec /x '$newer_msi' && [ ! -e \"\$folder\" ] && [ ! -e \"\$shortcut\" ] &&
   ! grep -qil 'tumbra' '$WINEPREFIX'/*.reg"
exit $((failures > 0))
