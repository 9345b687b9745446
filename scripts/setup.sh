#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those still missing.
# Safe to run again; runs apt-get as root (through sudo when not root).
set -euo pipefail

packages=(
  cmake make g++ git
  libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix
  wine wine64 fonts-wine xvfb x11-utils xdotool imagemagick fonts-arphic-uming locales
  clang libclang-rt-14-dev
  unzip python3 python3-fonttools
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
