#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# Builds the package as Debian's build daemons do: the source package from
# the tree, then the binary packages from that source package alone, in a
# fresh copy of a minimal root of this machine's release that holds
# build-essential and what `apt-get build-dep` installs for it, as a user
# who is not root. With `nocheck`, the build leaves its tests out, as the
# daemons' nocheck builds do (the option and the profile). Needs root.
#
#   archive-build.sh OUT-DIR [nocheck]
#
# The root is made by mmdebstrap from this machine's own mirrors, once for
# each set of build dependencies, and kept in OUT-DIR/roots; the source
# package and the built packages land in OUT-DIR.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
profile=${2:-}
case $profile in ''|nocheck) ;; *) echo "usage: $0 OUT-DIR [nocheck]" >&2; exit 2 ;; esac
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
arch=$(dpkg --print-architecture)
version=$(dpkg-parsechangelog -l "$here/debian/changelog" -S Version)

echo "== the source package"
source=$out/source
rm -rf "$source" "$out"/*.deb "$out"/*.ddeb
mkdir -p "$source/tumbra-$version"
"$here/scripts/copy-worktree.sh" "$here" "$source/tumbra-$version"
(cd "$source" && dpkg-source -b "tumbra-$version" > /dev/null)
dsc=$source/tumbra_$version.dsc

# A root for each release, architecture, profile and set of build
# dependencies: a dependency dropped from debian/control is missing there.
needs=$(sed -n '/^Build-Depends/,/^[^ ]/p' "$dsc" | sha256sum | cut -c1-12)
tarball=$out/roots/$codename-$arch${profile:+-$profile}-$needs.tar
if [ ! -s "$tarball" ]; then
  echo "== mmdebstrap: a minimal $codename with the build dependencies"
  mkdir -p "$out/roots"
  mirror=$("$here/scripts/apt-mirror.sh" main)
  security=$("$here/scripts/apt-mirror.sh" security)
  mmdebstrap --variant=buildd --quiet \
    --setup-hook='mkdir -p "$1/tmp/source"' \
    --customize-hook="copy-in $dsc ${dsc%.dsc}.tar.xz /tmp/source" \
    --customize-hook="chroot \"\$1\" apt-get build-dep -y -q ${profile:+-P$profile} /tmp/source/$(basename "$dsc")" \
    --customize-hook='rm -rf "$1/tmp/source" "$1"/var/cache/apt/archives/*.deb' \
    "$codename" "${tarball%.tar}.part.tar" "deb $mirror $codename main" \
    "deb $mirror $codename-updates main" "deb $security $codename-security main" \
    > "$out/mmdebstrap.log" 2>&1 || {
    tail -n 20 "$out/mmdebstrap.log" >&2
    rm -f "${tarball%.tar}.part.tar"
    echo "archive-build: no root to build in" >&2
    exit 1
  }
  mv "${tarball%.tar}.part.tar" "$tarball"
fi

work=$(mktemp -d /tmp/tumbra-archive-build.XXXXXX) && [ -d "$work" ] ||
  { echo "archive-build: no temporary folder" >&2; exit 1; }
trap 'rm -rf --one-file-system "$work"' EXIT
tar -C "$work" -xf "$tarball"
# The builder: a user of its own, not root, owning the build folder alone.
echo "builder:x:2000:2000::/build:/bin/sh" >> "$work/etc/passwd"
echo "builder:x:2000:" >> "$work/etc/group"
mkdir -p "$work/build"
cp "$dsc" "${dsc%.dsc}.tar.xz" "$work/build/"
chown -R 2000:2000 "$work/build"
options=${profile:+nocheck}
echo "== dpkg-buildpackage ${profile:+-P$profile} in the root, as a user who is not root"
"$here/scripts/mount-root.sh" "$work" chroot "$work" \
  setpriv --reuid=2000 --regid=2000 --clear-groups env -i HOME=/build \
    PATH=/usr/bin:/bin DEB_BUILD_OPTIONS="$options" sh -c "
      cd /build && dpkg-source -x tumbra_$version.dsc tumbra > /dev/null &&
      cd tumbra && dpkg-buildpackage -us -uc -b ${profile:+-P$profile}" \
  > "$out/build${profile:+-$profile}.log" 2>&1 || {
  tail -n 40 "$out/build${profile:+-$profile}.log" >&2
  echo "archive-build: the build failed; the whole log is $out/build${profile:+-$profile}.log" >&2
  exit 1
}
cp "$work"/build/*.deb "$out/"
ls "$out"/tumbra_"$version"_*.deb
