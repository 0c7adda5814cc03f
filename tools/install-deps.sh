#!/usr/bin/env bash
# Installs what building and testing Pembroquil needs on a Debian machine
# (as root): the cross compiler, Wine with 32-bit support, a virtual display,
# input and screenshot tools, Japanese fonts, the test tools and the
# packaging tools (NSIS, zip). Does nothing when everything is present.
set -euo pipefail

packages=(
  cmake make g++ googletest locales python3
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xdotool imagemagick
  fonts-ipafont-gothic fonts-ipafont-mincho
  fp-utils
  nkf uchardet manpages-ja
  nsis zip unzip
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
if [ "$(id -u)" != 0 ]; then
  echo "install-deps: missing packages; run as root to install them" >&2
  exit 1
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q "${missing[@]}"
