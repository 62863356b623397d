#!/usr/bin/env bash
# Builds the 64-bit program and its benchmark and runs it under Wine (headless):
# listing, transfer, selection and clearing at 10,000 and 100,000 files, memory
# per entry and the program file's size, each timing with its ratio to the
# floor of reading the folder. The folders (about 20 types of file, 1% small
# programs with icons of their own, 3 subfolders) are made once, natively,
# under build/bench-folders.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
unset DISPLAY
scripts/build.sh --arch x64 quorvel quorvel_bench quorvel_small_program >/dev/null
extensions=(.txt .bmp .ini .doc .dat .bat .jpg .png .log .csv .xml .zip .pdf .htm .c .h .wav .mp3 .cfg .md)
make_folder() {  # make_folder count: prints the folder's path
  local files=$1 folder=build/bench-folders/$1
  if [ ! -f "$folder/sub3/complete" ]; then
    rm -rf "$folder"
    mkdir -p "$folder"/sub{1,2,3}
    (cd "$folder" && for ((i = 0; i < files; i++)); do
       [ $((i % 100)) -eq 99 ] || echo "file$i${extensions[i % 20]}"
     done | xargs touch)
    for ((i = 99; i < files; i += 100)); do cp build/x64/bench/quorvel_small_program.exe "$folder/file$i.exe"; done
    touch "$folder/sub3/complete"
  fi
  echo "$folder"
}
run() { scripts/wine-run --arch x64 "$@"; }
folders=()
for count in 10000 100000; do folders+=("$(run winepath -w "$(make_folder $count)")"); done
run build/x64/bench/quorvel_bench.exe "$(run winepath -w build/x64/quorvel.exe)" "${folders[@]}"
