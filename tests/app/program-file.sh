#!/usr/bin/env bash
# The start-up check of the program's own file, on copies of the small-payload program grown to
# the build's minimum size and one byte less (bytes after the end of an executable do not
# change how it runs).
# usage: program-file.sh PROGRAM DRIVER_SO REMOVE_OWN_FILE_SO MIN_SIZE
set -euo pipefail
program=$1 driver=$2 remove_own_file=$3 min=$4
short=$((min - 1))
# A minimum lowered below the small-payload program leaves no incomplete size to grow it to.
if [ "$(stat -c %s "$program")" -gt "$short" ]; then
  echo "skipped: the program is already more than $short bytes"
  exit 77
fi
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX=$work/prefix
failures=0

# copy_sized NAME SIZE: a copy of the program, named fvpsetup, of exactly SIZE bytes.
copy_sized() {
  mkdir -p "$work/$1"
  cp "$program" "$work/$1/fvpsetup"
  truncate -s "$2" "$work/$1/fvpsetup"
}

# check WHAT SCENARIO PRELOAD [ENV...] PROGRAM: runs the program with the driver preloaded. The
# preload reaches the program only (env sets it just before it starts the program), never
# timeout or a shell.
check() {
  local what=$1 scenario=$2 preload=$3
  shift 3
  if timeout 60 env LD_PRELOAD="$preload" FVP_SCENARIO="$here/$scenario" "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

copy_sized short $short
copy_sized whole $min
copy_sized removed $min

check "$short bytes: incomplete" incomplete.scn "$driver" "$work/short/fvpsetup"
check "$min bytes: wizard" complete.scn "$driver" "$work/whole/fvpsetup"
check "started through PATH: wizard" complete.scn "$driver" \
  --chdir=/ PATH="$work/whole:$PATH" fvpsetup
check "removed while running: incomplete" incomplete.scn "$remove_own_file $driver" \
  "$work/removed/fvpsetup"

# new_prefix NAME: a prefix of its own with drive c: only; the caller adds other drives.
new_prefix() {
  mkdir -p "$work/$1/dosdevices" "$work/$1/drive_c"
  ln -s ../drive_c "$work/$1/dosdevices/c:"
  echo "$work/$1"
}

# Where no drive reaches the program, it still finds its own file through its host path.
no_z=$(new_prefix prefix-no-z)
z_elsewhere=$(new_prefix prefix-z-elsewhere)
mkdir "$work/elsewhere"
ln -s "$work/elsewhere" "$z_elsewhere/dosdevices/z:"
other_drive=$(new_prefix prefix-other-drive)
mkdir "$work/games"
ln -s "$work/games" "$other_drive/dosdevices/d:"
# unreached WHAT PREFIX FOLDER: a cut and a whole program in $work/FOLDER, run in PREFIX.
unreached() {
  local what=$1 prefix=$2 folder=$3
  copy_sized "$folder/short" $short
  copy_sized "$folder/whole" $min
  check "$what, $short bytes: incomplete" incomplete.scn "$driver" \
    WINEPREFIX="$prefix" "$work/$folder/short/fvpsetup"
  check "$what, $min bytes: wizard" complete.scn "$driver" \
    WINEPREFIX="$prefix" "$work/$folder/whole/fvpsetup"
}
unreached "prefix without z:" "$no_z" no-z
unreached "z: pointing elsewhere" "$z_elsewhere" z-elsewhere
# A blank and an accented letter in the folder's name: the host path travels as an ANSI name.
unreached "in a folder no drive reaches" "$other_drive" $'Spiele f\xc3\xbcr alle'

[ "$failures" -eq 0 ]
