#!/usr/bin/env bash
# Installs, from Debian's own packages, whatever the build, the tests or the
# game need and this machine lacks. Safe to run again: it asks dpkg first and
# calls apt-get only for what is missing.
set -euo pipefail

packages=(
  # build
  make cmake g++ pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
  # renders the icon's PNG sizes (make icons)
  librsvg2-bin
  # real-window tests and screenshots
  xvfb xauth xdotool imagemagick x11-utils libx11-dev python3
  # desktop integration checks
  desktop-file-utils appstream
  # fonts so captions render the same on every machine
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
