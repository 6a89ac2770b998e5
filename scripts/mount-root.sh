#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Mounts what programs in a chroot at ROOT expect of a running system: proc,
# sys, the host's devices, a pty filesystem and shared memory. Call it in a
# private mount namespace (unshare --mount --propagation private), so that
# the mounts go with the namespace and never outlive the run.
#
#   mount-root.sh ROOT
set -e
root=${1:?usage: mount-root.sh ROOT}
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount -t devpts devpts "$root/dev/pts"
mount -t tmpfs tmpfs "$root/dev/shm"
