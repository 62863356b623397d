#!/usr/bin/env bash
# Builds the 64-bit program and its benchmark and runs it under Wine (headless):
# start-up, listing, transfer, selection and clearing at 10,000 and 100,000
# files, a 100,000-file tree listed with its subfolders, memory per entry and
# the program file's size, each timing with its ratio to the floor of reading
# the folder. The folders (about 20 types of file, 1% small programs with icons
# of their own, 3 subfolders) and the tree are made once, natively, under
# build/bench-folders. "scripts/bench.sh 100000" runs only the folders of the
# counts given, without the tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
unset DISPLAY
. scripts/wine-servers.sh
trap 'exit 1' INT TERM HUP
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
# make_tree: a tree of 100,000 files, 100 in each of 1,000 folders three levels
# down (10 x 10 x 10), as make_folder's; prints its path.
make_tree() {
  local tree=build/bench-folders/tree
  if [ ! -f "$tree.complete" ]; then
    rm -rf "$tree"
    local a b c i
    for a in {0..9}; do for b in {0..9}; do for c in {0..9}; do
      local leaf="$tree/d$a/d$a$b/d$a$b$c"
      mkdir -p "$leaf"
      (cd "$leaf" && for ((i = 0; i < 100; i++)); do
         [ "$i" -eq 99 ] || echo "f$a$b$c-$i${extensions[i % 20]}"
       done | xargs touch)
      cp build/x64/bench/quorvel_small_program.exe "$leaf/f$a$b$c-99.exe"
    done; done; done
    touch "$tree.complete"
  fi
  echo "$tree"
}
run() { scripts/wine-run --arch x64 "$@"; }
counts=("$@")
[ $# -gt 0 ] || counts=(10000 100000)
folders=()
for count in "${counts[@]}"; do folders+=("$(run winepath -w "$(make_folder $count)")"); done
# BASELINE=path/to/an/older/quorvel.exe compares start-ups with it.
if [ -n "${BASELINE:-}" ]; then folders+=(--baseline "$(run winepath -w "$BASELINE")"); fi
program=$(run winepath -w build/x64/quorvel.exe)
run build/x64/bench/quorvel_bench.exe "$program" "${folders[@]}"
# The tree in a process of its own: its memory is measured in a fresh heap.
[ $# -gt 0 ] || run build/x64/bench/quorvel_bench.exe "$program" --tree "$(run winepath -w "$(make_tree)")"
