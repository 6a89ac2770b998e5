#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Runs COMMAND in a mount namespace of its own in which ROOT has what
# programs in a chroot expect of a running system: proc, sys, the host's
# devices, a pty filesystem and shared memory. The namespace is made here,
# so the mounts are made nowhere else and go with it when COMMAND ends.
#
#   mount-root.sh ROOT COMMAND [ARGUMENT...]
set -e
if [ $# -lt 2 ]; then
  echo "usage: mount-root.sh ROOT COMMAND [ARGUMENT...]" >&2
  exit 2
fi
outside=$(readlink /proc/self/ns/mnt)
exec unshare --mount --propagation private sh -e -c '
  outside=$1 root=$2
  shift 2
  if [ "$(readlink /proc/self/ns/mnt)" = "$outside" ]; then
    echo "mount-root.sh: no mount namespace of its own; refusing to mount" >&2
    exit 2
  fi
  # ROOT a mount point of its own, as the root of a system is: programs in
  # it may then make their own mounts private, as piuparts does.
  mount --bind "$root" "$root"
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  mount --bind /dev "$root/dev"
  mount -t devpts devpts "$root/dev/pts"
  mount -t tmpfs tmpfs "$root/dev/shm"
  exec "$@"' sh "$outside" "$@"
