#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, test and run, and only
# those that are missing: one apt-get update, then one apt-get install.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev libgl-dev qt6-charts-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libsdl2-dev libsdl2-mixer-dev
  fonts-ipafont-mincho
  clang-format
  desktop-file-utils appstream
  dpkg-dev file
  gettext
)

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
