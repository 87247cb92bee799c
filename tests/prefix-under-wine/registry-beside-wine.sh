#!/usr/bin/env bash
# The Linux program installs while a wineserver of the prefix runs:
#   running    a Wine program runs through the whole installation;
#   lingering  the server only lingers after a `wine reg add` just before.
# In both, Wine sees the uninstall key while its server runs and, once the server has ended,
# system.reg still has the key, and the values Wine wrote just before and just after the
# installation are still there too.
#
#   registry-beside-wine.sh DRIVER_SO NATIVE_PROGRAM CASE...
set -uo pipefail
if [ $# -lt 3 ]; then
  echo "usage: registry-beside-wine.sh DRIVER_SO NATIVE_PROGRAM CASE..." >&2
  exit 2
fi
driver_so=$1 native_program=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Fernvale Patience Deluxe'
theirs='HKLM\Software\Theirs'

# shellcheck source=scripts/wine-lib.sh
. "$root/scripts/wine-lib.sh"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

server_runs() {
  WINEPREFIX=$1 timeout 5 wineserver -w 2>/dev/null &
  local waiter=$!
  sleep 0.2
  if kill -0 "$waiter" 2>/dev/null; then
    kill "$waiter" 2>/dev/null
    wait "$waiter" 2>/dev/null
    return 0
  fi
  wait "$waiter" 2>/dev/null
  return 1
}

# `wine ARGS...` in PREFIX, bounded, without waiting for the server to end as wine_run does.
wine_now() {
  local prefix=$1
  shift
  WINEPREFIX=$prefix timeout --kill-after=5 60 wine "$@" 2>/dev/null
}

wine_adds() {
  wine_now "$1" reg add "$theirs" /v "$2" /d yes /f >/dev/null
}

# Wine's answer to `reg query KEY /v NAME` holds DATA.
wine_reads() {
  local prefix=$1 query_key=$2 name=$3 data=$4 out
  out=$(wine_now "$prefix" reg query "$query_key" /v "$name" | tr -d '\r')
  grep -qE "^ +$name +REG_SZ +$data\$" <<<"$out"
}

check_case() {
  local name=$1 prefix=$WINE_RUN_DIR/$1 keeper=""
  wine_copy_prefix "$prefix" || exit 1
  case $name in
  running)
    WINEPREFIX=$prefix wine cmd /c "ping -n 600 127.0.0.1" >/dev/null 2>&1 &
    keeper=$!
    wine_poll 30 server_runs "$prefix" || { fail "$name: no wineserver came up"; return; }
    ;;
  lingering)
    # A server that stays 15 s after its last program, as one started with Wine's default
    # persistence stays 3 s: long enough that the installation surely meets it.
    WINEPREFIX=$prefix wineserver -p15 || { fail "$name: wineserver -p15 ended with $?"; return; }
    ;;
  esac
  # Held only in the server's memory until it ends. The first program in a copied prefix
  # may still be updating it, and a write may fail until it is done.
  wine_poll 60 wine_adds "$prefix" before || fail "$name: Wine could not write a value before the installation"

  server_runs "$prefix" || fail "$name: the wineserver ended before the installation"
  local started
  started=$(date +%s%N)
  WINEPREFIX=$prefix "$root/tests/scenario/run-scenario.sh" "$driver_so" "$native_program" "$scenario" ||
    fail "$name: the Linux program's installation failed"
  echo "registry-beside-wine: $name: the scenario took $((($(date +%s%N) - started) / 1000000)) ms"
  wine_adds "$prefix" meanwhile || fail "$name: Wine could not write a value after the installation"

  wine_reads "$prefix" "$key" DisplayName 'Fernvale Patience Deluxe' ||
    fail "$name: Wine does not see the uninstall key while its server runs"
  if [ -n "$keeper" ]; then
    kill "$keeper" 2>/dev/null
    wait "$keeper" 2>/dev/null
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  fi
  wine_wait_idle "$prefix" 60 || fail "$name: the wineserver did not end"

  tr -d '\r' <"$prefix/system.reg" >"$WINE_RUN_DIR/$name.system.reg"
  grep -qF '[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Fernvale Patience Deluxe]' \
    "$WINE_RUN_DIR/$name.system.reg" || fail "$name: system.reg lost the uninstall key when the server ended"
  grep -qF '"meanwhile"="yes"' "$WINE_RUN_DIR/$name.system.reg" ||
    fail "$name: system.reg lost the value Wine wrote during the installation"
  grep -qF '"before"="yes"' "$WINE_RUN_DIR/$name.system.reg" ||
    fail "$name: system.reg lost the value Wine wrote just before the installation"
  wine_reads "$prefix" "$key" DisplayName 'Fernvale Patience Deluxe' ||
    fail "$name: Wine does not see the uninstall key after its server ended"
}

wine_start_display || exit 1
wine_boot_prefix || exit 1
# The default installation without its check, which reads the files: while a server runs they
# are not yet what Wine holds. The checks here ask Wine.
scenario=$WINE_RUN_DIR/beside-wine.scn
cp "$root/tests/scenarios/default-install.scn" "$scenario" || exit 1
for case_name in "$@"; do
  case $case_name in
  running | lingering) check_case "$case_name" ;;
  *)
    echo "registry-beside-wine: unknown case $case_name" >&2
    exit 2
    ;;
  esac
  echo "registry-beside-wine: $case_name checked"
done

if [ "$failures" -ne 0 ]; then
  echo "registry-beside-wine: $failures failure(s)" >&2
  exit 1
fi
