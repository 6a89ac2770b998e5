#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Runs `make test` on a fresh Debian 13 (trixie), as a newcomer's machine
# would: a minimal root made by debootstrap, a clone of this tree in it, and
# nothing installed but what the project's own script installs there from
# Debian's packages, from the mirrors this machine's apt uses. Needs root
# (debootstrap, chroot, mounts); every mount is made in a mount namespace
# made for it (debootstrap's own, and scripts/mount-root.sh's), so none
# reaches the host and all go when the step that made them ends.
#
#   test-debian13.sh [WORK-DIR]     (default: build-debian13)
#
# The bare root is kept in WORK-DIR/base and reused; every run starts from a
# fresh copy of it in WORK-DIR/root, which stays after the run, to be looked
# into, until the next run replaces it or `make clean` removes it. WORK-DIR must be empty or one this
# script made: it deletes what it made there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mark=.tumbra-debian13

if [ "$(id -u)" -ne 0 ]; then
  echo "$0: needs root for debootstrap, chroot and its mounts" >&2
  exit 2
fi

work=${1:-$here/build-debian13}
if [ -e "$work" ] && [ ! -e "$work/$mark" ] &&
   [ -n "$(ls -A "$work" 2> /dev/null || echo not-a-folder)" ]; then
  echo "$0: $work is neither empty nor a work folder of this script" >&2
  exit 2
fi
mkdir -p "$work"
touch "$work/$mark"
work=$(cd "$work" && pwd)
"$here/scripts/install-deps.sh" debian13

base=$work/base
root=$work/root
mirror=$("$here/scripts/apt-mirror.sh" main)
security=$("$here/scripts/apt-mirror.sh" security)

# Removes a folder of ours, never beyond its own file system.
remove() {
  rm -rf --one-file-system "$1"
}

# What a newcomer has before the first command: the base system, git to
# clone with and make to run the README's command.
if [ ! -e "$base/.complete" ]; then
  remove "$base"
  echo "== debootstrap: a minimal Debian 13 in $base"
  unshare --mount --propagation private \
    debootstrap --variant=minbase --include=ca-certificates,git,make \
    trixie "$base" "$mirror" > "$work/debootstrap.log" 2>&1 || {
    tail -n 20 "$work/debootstrap.log" >&2
    exit 1
  }
  touch "$base/.complete"
fi

echo "== a fresh copy of the root in $root"
remove "$root"
cp -a "$base" "$root"
cat > "$root/etc/apt/sources.list" << SOURCES
deb $mirror trixie main
deb $mirror trixie-updates main
deb $security trixie-security main
SOURCES
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Packages installed in the root start no services in it.
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
# The certificates this machine trusts: behind a proxy that inspects TLS,
# npm and apt in the root must trust it as the machine does.
if compgen -G "/usr/local/share/ca-certificates/*.crt" > /dev/null; then
  cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
  chroot "$root" update-ca-certificates > /dev/null
fi

# The tree as it stands, uncommitted changes included, as a clone.
echo "== cloning the tree into the root"
clone=$root/root/tumbra
git clone -q --no-hardlinks "$here" "$clone"
"$here/scripts/copy-worktree.sh" "$here" "$clone"

# The root is thrown away after the run: the package's own tests may
# install into it, as on a machine Debian's CI throws away.
echo "== make test on Debian 13"
status=0
"$here/scripts/mount-root.sh" "$root" \
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CI=true \
  TUMBRA_DISPOSABLE_ROOT=1 \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  sh -c 'cd /root/tumbra && make test' || status=$?
if [ $status -eq 0 ]; then
  echo "Debian 13: make test passed"
else
  echo "Debian 13: make test failed with status $status" >&2
fi
exit $status
