#!/usr/bin/env bash
# Runs one scenario against the native setup program with the driver preloaded.
#
#   run-scenario.sh [--fails-with REPORT_FILE] DRIVER_SO PROGRAM SCENARIO
#
# The prefix is $WINEPREFIX when set, else a fresh one that is removed afterwards. NAME.setup
# beside NAME.scn prepares the prefix first, NAME.check judges it after a passing run. The run is
# bounded in time. Exit status: 0 when every step held (and the check passed), else 1 with the
# driver's report. With --fails-with the run must instead fail with a report that contains
# REPORT_FILE's text; the check is then not run.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/verdict.sh"
. "$here/setup-check.sh"

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
own_prefix=0
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX=$scratch/prefix
  mkdir "$WINEPREFIX"
  own_prefix=1
fi

# Wine's own diagnostics stay out of the report unless asked for.
export WINEDEBUG=${WINEDEBUG:--all}

# The program may start Windows programs through Wine in the prefix (the game, after Finish);
# they outlive it. Wait for them to end, and in a prefix of our own stop them, before the
# prefix is read or removed.
wait_for_wine() {
  command -v wineserver >/dev/null || return 0
  timeout 10 wineserver -w 2>/dev/null && return 0
  if [ "$own_prefix" -eq 1 ]; then
    wineserver -k 2>/dev/null
    timeout 10 wineserver -w 2>/dev/null
  fi
}
trap 'wait_for_wine; rm -rf "$scratch"' EXIT

scenario_setup "$scenario" "$WINEPREFIX" || exit 1

# Every step gives up after 10 s; this bounds a program that hangs inside one handler.
# LD_PRELOAD is set for the program only (env and timeout leave it alone).
timeout 120 env LD_PRELOAD="$driver" FVP_SCENARIO="$scenario" "$program" 2>&1 |
  tee "$scratch/output"
status=${PIPESTATUS[0]}
scenario_verdict "$scenario" "$status" "$scratch/output" "$expected_report" || exit 1
[ -n "$expected_report" ] && exit 0
# The game the program started may still be writing; the check reads a settled prefix.
wait_for_wine
scenario_check "$scenario" "$WINEPREFIX"
