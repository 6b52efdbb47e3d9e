#!/usr/bin/env bash
# Installs what building, running and testing need, and only what is missing.
# Safe to run again: each step checks first.
set -euo pipefail

packages=(
  cmake make clang g++ libgtest-dev googletest libbenchmark-dev liblapack-dev libboost-dev python3
  libclang-rt-14-dev clang-format
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-ipafont-gothic locales
  xvfb x11-utils imagemagick zip unzip wixl
  python3-numpy python3-pandas libreoffice-calc-nogui octave
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The program's texts are Japanese; Wine needs the locale to exist.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi
