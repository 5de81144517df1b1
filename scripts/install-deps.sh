#!/usr/bin/env bash
# Installs every Debian package that building, playing and testing Vantorel needs.
# Usage: scripts/install-deps.sh [play|test]
#   play  the compiler, CMake and GTK 3: enough to build and start the Linux game
#   test  everything: also the MinGW cross compiler, Wine, Xvfb, xdotool, ImageMagick, clang
# Packages already present are left alone; nothing is installed when nothing is missing.
set -euo pipefail
what=${1:-test}

play_pkgs=(cmake ninja-build g++ make pkg-config libgtk-3-dev libpng-dev
           binutils-mingw-w64-i686 libgtest-dev libgmock-dev libbenchmark-dev file)
test_pkgs=(g++-mingw-w64-i686 xvfb xauth xdotool x11-utils imagemagick clang
           libclang-rt-14-dev clang-format wine python3)
i386_pkgs=(wine32:i386)

pkgs=("${play_pkgs[@]}")
if [ "$what" = test ]; then pkgs+=("${test_pkgs[@]}" "${i386_pkgs[@]}"); fi

missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "install-deps: installing ${missing[*]}" >&2
for p in "${missing[@]}"; do
  case "$p" in
    *:i386)
      if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
      fi ;;
  esac
done
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
