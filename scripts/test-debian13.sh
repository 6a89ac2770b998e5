#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Runs `make test` on a fresh Debian 13 (trixie), as a newcomer's machine
# would: a minimal root made by debootstrap, a clone of this tree in it, and
# nothing installed but what the project's own script installs there from
# Debian's packages. Needs root (debootstrap, chroot, mounts).
#
#   test-debian13.sh [WORK-DIR]     (default: build-debian13)
#
# The bare root is kept in WORK-DIR/base and reused; every run starts from a
# fresh copy of it in WORK-DIR/root.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mkdir -p "${1:-$here/build-debian13}" && cd "${1:-$here/build-debian13}" && pwd)
base=$work/base
root=$work/root
mirror=http://deb.debian.org/debian

if [ "$(id -u)" -ne 0 ]; then
  echo "$0: needs root for debootstrap, chroot and its mounts" >&2
  exit 2
fi
"$here/scripts/install-deps.sh" debian13

mounts=()
unmount_all() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount -l "${mounts[i]}" 2> /dev/null || true
  done
  mounts=()
}
trap unmount_all EXIT
mount_in() {  # type-or-bind, source, target
  mkdir -p "$3"
  if [ "$1" = bind ]; then mount --bind "$2" "$3"; else mount -t "$1" "$2" "$3"; fi
  mounts+=("$3")
}

# What a newcomer has before the first command: the base system, git to
# clone with and make to run the README's command.
if [ ! -e "$base/.complete" ]; then
  rm -rf "$base"
  echo "== debootstrap: a minimal Debian 13 in $base"
  debootstrap --variant=minbase --include=ca-certificates,git,make \
    trixie "$base" "$mirror" > "$work/debootstrap.log" 2>&1 || {
    tail -n 20 "$work/debootstrap.log" >&2
    exit 1
  }
  cat > "$base/etc/apt/sources.list" << EOF
deb $mirror trixie main
deb $mirror trixie-updates main
deb http://deb.debian.org/debian-security trixie-security main
EOF
  touch "$base/.complete"
fi

echo "== a fresh copy of the root in $root"
# A run that was killed may have left its mounts behind; nothing is removed
# beyond the root's own file system.
findmnt -rn -o TARGET | { grep -F "$root/" || true; } | sort -r |
  xargs -r -n1 umount -l
rm -rf --one-file-system "$root"
cp -a "$base" "$root"
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

mount_in proc proc "$root/proc"
mount_in sysfs sysfs "$root/sys"
mount_in bind /dev "$root/dev"
mount_in devpts devpts "$root/dev/pts"
mount_in tmpfs tmpfs "$root/dev/shm"

# The tree as it stands, uncommitted changes included, as a clone.
echo "== cloning the tree into the root"
clone=$root/root/tumbra
git clone -q --no-hardlinks "$here" "$clone"
"$here/scripts/copy-worktree.sh" "$here" "$clone"

echo "== make test on Debian 13"
status=0
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CI=true \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  sh -c 'cd /root/tumbra && make test' || status=$?
if [ $status -eq 0 ]; then
  echo "Debian 13: make test passed"
else
  echo "Debian 13: make test failed with status $status" >&2
fi
exit $status
