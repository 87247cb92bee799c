#!/usr/bin/env bash
# The copy page through the real setup program and its real end: a scenario drives the wizard,
# then the prefix is checked from outside.
#
#   install-checks.sh CASE PROGRAM PROBE_PROGRAM DRIVER_SO PAYLOAD_DIR SMALL_PAYLOAD_DIR SMALL_RES
#
# PROGRAM is the setup program around PAYLOAD_DIR; PROBE_PROGRAM the one around the small
# payload with install_probe.cpp; SMALL_RES the small payload's .res, beside which its packed
# streams lie. CASE: defaults, earlier-program, missing-resource, corrupt-stream.
set -euo pipefail
case_name=$1 program=$2 probe_program=$3 driver=$4 payload=$5 small_payload=$6 small_res=$7
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/fvp-install.XXXXXX")
trap '[ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
# The program runs in the scratch folder: whatever it makes by relative name stays there.
cd "$work"
failures=0

# Extraction order: resource id and installed name.
catalogue=(
  "2005 rune32c.dll" "2006 Bramblecote Studios.url" "2007 fvp_1.mid" "2004 fvpat.exe"
  "2014 notes.doc" "2016 fvpat.hlp" "2017 terms.doc" "2018 blurb.diz" "2050 fvp_2.mid"
  "2051 tunes.txt" "2052 tunes_dir.txt" "2054 texts.dat" "2055 fvp_3.mid"
  "2056 fvp_voyage.mid" "2057 seed.rnd" "2002 core.gob" "2019 shop.gob" "2015 shop.exe"
  "2021 plain.dck" "2022 mystic.dck" "2023 large.dck")

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# A fresh prefix with the destination folder made, as the destination page makes it.
new_prefix() {
  export WINEPREFIX=$work/prefix-$1
  mkdir -p "$WINEPREFIX/drive_c/Fernvale Patience"
  dest=$WINEPREFIX/drive_c/Fernvale\ Patience
  temp=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Temp
  mkdir -p "$temp"
}

# The small-payload program under the name the messages' caption comes from, grown to the
# size its start-up check demands (bytes after an executable's end do not change it).
probe_copy() {
  mkdir -p "$work/bin"
  cp "$probe_program" "$work/bin/fvpsetup"
  if [ "$(stat -c %s "$work/bin/fvpsetup")" -lt 2800000 ]; then
    truncate -s 2800000 "$work/bin/fvpsetup"
  fi
  echo "$work/bin/fvpsetup"
}

run_scenario() {
  local program=$1 scenario=$2
  if ! "$here/../scenario/run-scenario.sh" "$driver" "$program" "$here/scenarios/$scenario" >"$work/run.log" 2>&1; then
    cat "$work/run.log"
    fail "scenario $scenario"
  fi
}

# Row numbers from..to of the catalogue: installed equal to the payload, or absent.
expect_installed() {
  local from=$1 to=$2 source=$3
  for ((i = from; i <= to; i++)); do
    local name=${catalogue[i - 1]#* }
    cmp -s "$source/$name" "$dest/$name" || fail "row $i: $name not installed as in $source"
  done
}
expect_absent_rows() {
  local from=$1 to=$2
  for ((i = from; i <= to; i++)); do
    local name=${catalogue[i - 1]#* }
    [ ! -e "$dest/$name" ] || fail "row $i: $name installed after the failure"
  done
}
expect_no_temp_copies() {
  for row in "${catalogue[@]}"; do
    local name=${row#* }
    [ ! -e "$temp/$name" ] || fail "temporary copy $name left"
  done
}
expect_status() {
  local status
  status=$(cat "$work/status" 2>/dev/null || echo none)
  [ "$status" = "$1" ] || fail "exit status $status, not $1"
}

# A file whose Adler-32 is $1 (hexadecimal).
write_with_adler32() {
  python3 - "$1" "$2" <<'PY'
import sys, zlib
target = int(sys.argv[1], 16)
data = bytearray(b"MZ an earlier build of the game program")
# Bytes that bring the first sum to its value, then zeros, each of which adds the first sum
# to the second (65521 is prime, so some count of zeros reaches any value).
a = zlib.adler32(bytes(data)) & 0xFFFF
need = ((target & 0xFFFF) - a) % 65521
while need:
    data.append(min(255, need))
    need -= data[-1]
b = zlib.adler32(bytes(data)) >> 16
zeros = ((target >> 16) - b) * pow(target & 0xFFFF, -1, 65521) % 65521
data += bytes(zeros)
assert zlib.adler32(bytes(data)) == target
open(sys.argv[2], "wb").write(data)
PY
}

case $case_name in
defaults)
  new_prefix defaults
  run_scenario "$program" install-defaults.scn
  expect_installed 1 21 "$payload"
  expect_no_temp_copies
  ;;

earlier-program)
  probe=$(probe_copy)
  for checksum in EF9123B6 2D4FD2CA 12345678; do
    new_prefix "$checksum"
    write_with_adler32 "$checksum" "$dest/fvpat.exe"
    cp "$dest/fvpat.exe" "$work/old-program"
    echo "an older copy" > "$dest/fvp.dat"
    if [ "$checksum" = EF9123B6 ]; then
      # Leftovers of earlier versions, files in the way of the new ones, and one to keep.
      for name in first.gob second.gob oldtune.mid texts.dat a.256 OLD.256 keep.txt core.gob; do
        echo "old $name" > "$dest/$name"
      done
      echo "old temporary copy" > "$temp/tunes.txt"
    fi
    run_scenario "$probe" install-defaults.scn
    expect_installed 1 21 "$small_payload"
    expect_no_temp_copies
    if [ "$checksum" = 12345678 ]; then
      [ "$(cat "$dest/fvp.dat")" = "an older copy" ] || fail "fvp.dat replaced for another program"
    else
      cmp -s "$work/old-program" "$dest/fvp.dat" || fail "$checksum: fvp.dat is not the earlier program"
    fi
    if [ "$checksum" = EF9123B6 ]; then
      for name in first.gob second.gob oldtune.mid a.256 OLD.256; do
        [ ! -e "$dest/$name" ] || fail "leftover $name not removed"
      done
      [ -e "$dest/keep.txt" ] || fail "keep.txt removed"
    fi
  done
  ;;

missing-resource)
  probe=$(probe_copy)
  new_prefix missing
  # Row 9 is missing from the program.
  FVP_HIDE_RESOURCE=2050 FVP_EXIT_STATUS_FILE=$work/status run_scenario "$probe" resource-missing.scn
  expect_installed 1 8 "$small_payload"
  expect_absent_rows 9 21
  expect_no_temp_copies
  expect_status 1
  ;;

corrupt-stream)
  probe=$(probe_copy)
  # Row 12's stream with its check value spoiled, in a copy of the program.
  "$here/damage_program.py" corrupt "$probe" "$(dirname "$small_res")/texts.dat.z"
  new_prefix corrupt
  FVP_EXIT_STATUS_FILE=$work/status run_scenario "$probe" corrupt-stream.scn
  expect_installed 1 11 "$small_payload"
  expect_absent_rows 13 21
  [ -e "$temp/texts.dat" ] || fail "the temporary copy of the damaged stream is gone"
  expect_status 1
  ;;

*)
  echo "unknown case $case_name" >&2
  exit 2
  ;;
esac

[ "$failures" -eq 0 ] && echo "ok: $case_name"
