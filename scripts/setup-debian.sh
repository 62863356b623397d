#!/usr/bin/env bash
# Installs, from Debian's own packages, what building and testing Quorvel needs:
# the MinGW-w64 cross compilers, CMake, Wine (32-bit), Xvfb, GoogleTest's
# sources and the tools the checks use. Does nothing when all is there.
set -euo pipefail
packages=(cmake make g++ g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
          googletest wine wine32:i386 fonts-wine xvfb xauth x11-utils imagemagick icoutils xdotool procps)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
