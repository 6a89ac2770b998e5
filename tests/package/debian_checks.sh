#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Tests the built package as Debian tests every package of its archive:
# piuparts installs, removes and purges it in a fresh root of this release,
# and installs the release players hold (built from its own commit and
# offered from a local repository) and upgrades it to this one, and fails
# on anything left behind; autopkgtest runs the tests that
# debian/tests/control declares against this package installed over the
# held one, in a testbed that is thrown away. Needs root.
#
#   debian_checks.sh DIR-OF-THE-BUILT-PACKAGE
#
# The fresh root is a minimal system that mmdebstrap makes from this
# machine's own mirrors, kept in build-debian-base/ as a tarball for later
# runs. piuparts, and autopkgtest in a chroot unpacked from it, mount in
# namespaces of their own; only inside the disposable Debian 13 root of
# `make test-debian13` (TUMBRA_DISPOSABLE_ROOT=1) does it test in that root
# itself.
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
dir=$(cd "$1" && pwd)
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
pass() { echo "PASS $*"; }

deb=$(ls "$dir"/tumbra_*.deb 2> /dev/null | head -n1)
[ -n "$deb" ] || { echo "FAIL no package in $dir"; exit 1; }
if [ "$(id -u)" -ne 0 ]; then
  echo "FAIL autopkgtest and piuparts need root"
  exit 1
fi
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=$("$here/scripts/apt-mirror.sh" main) || exit 1
security=$("$here/scripts/apt-mirror.sh" security) || exit 1
sources=("deb $mirror $codename main" "deb $mirror $codename-updates main"
         "deb $security $codename-security main")

cache=$here/build-debian-base
tarball=$cache/$codename-$(dpkg --print-architecture).tar.gz
if [ ! -s "$tarball" ]; then
  echo "== mmdebstrap: a minimal $codename in $tarball"
  mkdir -p "$cache"
  if ! mmdebstrap --variant=minbase --quiet "$codename" - "${sources[@]}" \
       2> "$cache/mmdebstrap.log" | gzip -1 > "$tarball.part"; then
    tail -n 20 "$cache/mmdebstrap.log"
    rm -f "$tarball.part"
    echo "FAIL no base system to test in"
    exit 1
  fi
  mv "$tarball.part" "$tarball"
fi

work=$(mktemp -d /tmp/tumbra-debian-checks.XXXXXX) && [ -d "$work" ] || {
  echo "FAIL no temporary folder to test in"
  exit 1
}
trap 'rm -rf --one-file-system "$work"' EXIT

# The release players hold, and a repository that offers it.
echo "== the release players hold"
if ! "$here/scripts/old-release.sh" deb "$dir/previous-release"; then
  echo "FAIL the release players hold could not be built to upgrade from"
  exit 1
fi
held=$(cat "$dir/previous-release/version")
old=$(ls "$dir/previous-release/tumbra_${held}_"*.deb)
repo=$work/repo
mkdir -p "$repo"
cp "$old" "$repo/"
(cd "$repo" && dpkg-scanpackages . /dev/null > Packages 2> /dev/null)

# piuparts: installed, removed and purged, and upgraded from the held
# release and purged; nothing may be left behind.
echo "== piuparts"
if unshare --mount --propagation private piuparts --basetgz "$tarball" --distribution "$codename" \
     --mirror "$mirror main" --extra-repo "${sources[1]}" \
     --extra-repo "${sources[2]}" --bindmount "$repo" \
     --extra-repo "deb [trusted=yes] file://$repo ./" --tmpdir "$work" \
     --log-file "$dir/piuparts.log" "$deb" > /dev/null 2>&1 &&
   grep -q 'PASS: Installation, upgrade and purging tests' "$dir/piuparts.log"; then
  pass "piuparts: installs, upgrades from $held, removes and purges cleanly (log: $dir/piuparts.log)"
else
  fail "piuparts:"
  grep -E '^[0-9:m. ]+(FAIL|ERROR)|^  /' "$dir/piuparts.log" | tail -n 40 |
    sed 's/^/    /'
  echo "    the whole log: $dir/piuparts.log"
fi

# autopkgtest: the package's own tests, against the package installed over
# the held release, from the source tree as it stands.
echo "== autopkgtest"
tree=$work/source
mkdir -p "$tree"
"$here/scripts/copy-worktree.sh" "$here" "$tree"
rm -rf "$dir/autopkgtest"
if [ -n "${TUMBRA_DISPOSABLE_ROOT:-}" ]; then
  # An earlier run in this root may have left this release installed.
  autopkgtest --setup-commands="apt-get install -y --allow-downgrades $(printf %q "$old")" \
    --output-dir "$dir/autopkgtest" "$deb" "$tree/" -- null \
    > "$dir/autopkgtest.log" 2>&1
else
  testbed=$work/testbed
  mkdir -p "$testbed"
  tar -C "$testbed" -xzf "$tarball"
  cp /etc/resolv.conf "$testbed/etc/resolv.conf"
  printf '#!/bin/sh\nexit 101\n' > "$testbed/usr/sbin/policy-rc.d"
  chmod +x "$testbed/usr/sbin/policy-rc.d"
  cp "$old" "$testbed/tmp/"
  "$here/scripts/mount-root.sh" "$testbed" \
    autopkgtest --apt-upgrade \
      --setup-commands="apt-get install -y $(printf %q "/tmp/$(basename "$old")")" \
      --output-dir "$dir/autopkgtest" "$deb" "$tree/" \
      -- chroot "$testbed" > "$dir/autopkgtest.log" 2>&1
fi
status=$?
summary=$(cat "$dir/autopkgtest/summary" 2> /dev/null)
if [ $status -eq 0 ]; then
  pass "autopkgtest:"
  printf '%s\n' "$summary" | sed 's/^/    /'
else
  fail "autopkgtest, status $status:"
  printf '%s\n' "${summary:-(no summary)}" | sed 's/^/    /'
  tail -n 40 "$dir/autopkgtest.log" | sed 's/^/    /'
  echo "    the whole log: $dir/autopkgtest.log"
fi
exit $((failures > 0))
