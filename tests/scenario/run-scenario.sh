#!/usr/bin/env bash
# Runs one scenario against the native setup program with the driver preloaded.
#
#   run-scenario.sh [--fails-with REPORT_FILE] DRIVER_SO PROGRAM SCENARIO
#
# The prefix is $WINEPREFIX when set, else a fresh one that is removed afterwards. The run is
# bounded in time. Exit status: 0 when every step held, else 1 with the driver's report. With
# --fails-with the run must instead fail with a report that contains REPORT_FILE's text.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/verdict.sh"

expected_report=
if [ "${1:-}" = --fails-with ]; then
  expected_report=$2
  shift 2
fi
if [ $# -ne 3 ]; then
  echo "usage: run-scenario.sh [--fails-with REPORT_FILE] DRIVER_SO PROGRAM SCENARIO" >&2
  exit 2
fi
driver=$1 program=$2 scenario=$3

scratch=$(mktemp -d "${TMPDIR:-/tmp}/fvp-scenario.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX=$scratch/prefix
  mkdir "$WINEPREFIX"
fi

# Every step gives up after 10 s; this bounds a program that hangs inside one handler.
# LD_PRELOAD is set for the program only (env and timeout leave it alone).
timeout 120 env LD_PRELOAD="$driver" FVP_SCENARIO="$scenario" "$program" 2>&1 |
  tee "$scratch/output"
status=${PIPESTATUS[0]}
scenario_verdict "$scenario" "$status" "$scratch/output" "$expected_report"
