#!/usr/bin/env bash
# Installs, from Debian's own packages, what building and testing Quorvel needs:
# the MinGW-w64 cross compilers for both architectures, CMake, Wine (64-bit,
# and 32-bit where the machine can run it), Xvfb, GoogleTest's sources, the
# locale definitions (a test runs under a Japanese locale) and the tools the
# checks use. Does nothing when all is there; stops at the first failing step
# and names it.
set -euo pipefail
packages=(cmake make g++ googletest
          g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
          g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32 binutils-mingw-w64-i686
          wine wine64 wine32:i386 fonts-wine xvfb xauth x11-utils imagemagick icoutils xdotool procps zip locales)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "setup-debian.sh: missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
step() {  # step "name" command...
  local name=$1; shift
  "$@" || { echo "setup-debian.sh: $name failed" >&2; exit 1; }
}
# The 32-bit Wine is installed everywhere; whether it runs is decided later.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  step "adding the i386 architecture" dpkg --add-architecture i386
fi
step "apt-get update" apt-get update -q
step "installing ${missing[*]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends "${missing[@]}"
