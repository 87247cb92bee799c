#!/usr/bin/env bash
# The install scenarios natively and under Wine, each pair of runs compared by prefix dump:
# the default installation with the real payload, and the two fatal payload failures with the
# small payload (a resource missing from row 9, row 12's stream damaged).
#
#   wine-parity-cases.sh NATIVE_PROGRAM NATIVE_PROBE DRIVER_SO WINDOWS_PROGRAM
#                        WINDOWS_SMALL_PROGRAM DRIVER_EXE SMALL_STREAMS_DIR
#
# NATIVE_PROBE is the small-payload program with install_probe.cpp; SMALL_STREAMS_DIR holds
# the small payload's packed streams (NAME.z).
set -euo pipefail
native_program=$1 native_probe=$2 driver_so=$3 windows_program=$4 windows_small=$5
driver_exe=$6 streams=$7
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/fvp-parity.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# Copies named as the program is, so that message captions agree, grown to the size that the
# start-up check demands.
copy_program() {
  mkdir -p "$work/$1"
  cp "$2" "$work/$1/$3"
  [ "$(stat -c %s "$work/$1/$3")" -ge 2800000 ] || truncate -s 2800000 "$work/$1/$3"
  echo "$work/$1/$3"
}

failures=0
parity() {
  if ! WINE_RUN_DIR=$(mktemp -d "$work/run.XXXXXX") "$here/wine-parity.sh" "$@"; then
    echo "FAILED: parity of $(basename "$1")"
    failures=$((failures + 1))
  fi
}

parity "$here/scenarios/install-defaults.scn" "$native_program" "$driver_so" "$windows_program" "$driver_exe"

native=$(copy_program native-missing "$native_probe" fvpsetup)
windows=$(copy_program windows-missing "$windows_small" fvpsetup.exe)
"$here/damage_program.py" drop-pe "$windows" 2050
FVP_HIDE_RESOURCE=2050 parity "$here/scenarios/resource-missing.scn" "$native" "$driver_so" "$windows" "$driver_exe"

native=$(copy_program native-corrupt "$native_probe" fvpsetup)
windows=$(copy_program windows-corrupt "$windows_small" fvpsetup.exe)
"$here/damage_program.py" corrupt "$native" "$streams/texts.dat.z"
"$here/damage_program.py" corrupt "$windows" "$streams/texts.dat.z"
parity "$here/scenarios/corrupt-stream.scn" "$native" "$driver_so" "$windows" "$driver_exe"

[ "$failures" -eq 0 ]
