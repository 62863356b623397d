#!/usr/bin/env bash
# Builds both programs in Release and writes the release archives to
# build/release: quorvel-VERSION-x64.zip and quorvel-VERSION-x86.zip, each with
# the stripped program and README.txt, and SHA256SUMS. VERSION is the CMake
# project version. The archives are reproducible: the programs carry no time
# stamp, and the archives' entries have fixed times, order and attributes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
version=$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package.sh: no project version in CMakeLists.txt" >&2; exit 1; }
out=build/release
rm -rf "$out"
mkdir -p "$out"
# Every entry gets the time of the commit built (or a fixed one outside git).
stamp=$(git log -1 --format=%cd --date=format-local:%Y%m%d%H%M.%S 2>/dev/null || echo 202601010000.00)
for arch in x64 x86; do
  scripts/build.sh --arch "$arch" quorvel >/dev/null
  staging=$out/quorvel-$version-$arch
  mkdir -p "$staging"
  cp "build/$arch/quorvel.exe" "$staging/quorvel.exe"
  sed 's/$/\r/' resources/README.txt >"$staging/README.txt"  # Windows line ends
  chmod 644 "$staging"/*
  TZ=UTC touch -t "$stamp" "$staging"/*
  (cd "$staging" && TZ=UTC zip -q -X -D "../quorvel-$version-$arch.zip" quorvel.exe README.txt)
  rm -rf "$staging"
done
(cd "$out" && sha256sum quorvel-"$version"-x64.zip quorvel-"$version"-x86.zip >SHA256SUMS)
ls -l "$out"
cat "$out/SHA256SUMS"
