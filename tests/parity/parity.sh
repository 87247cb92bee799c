#!/usr/bin/env bash
# Every scenario of a folder run by the Linux program and by the Windows program under Wine,
# from the same starting prefix; both runs must pass, both checks hold, and the two prefix
# dumps be equal.
#
#   parity.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR SCENARIO_FOLDER [NAME...]
#
# NATIVE_BUILD_DIR is the Linux build, WINDOWS_BUILD_DIR the mingw-x86_64 build; the
# scenario-paths.sh of each names its driver and setup programs (a scenario runs the one its
# NAME.program names, else the shipped one). Without NAMEs every NAME.scn of the folder runs,
# except those with a NAME.expected report (they are meant to fail). One prefix is booted;
# each scenario gets two copies of it, A for the Linux program and B for Wine, each prepared
# by NAME.setup.
set -uo pipefail
if [ $# -lt 3 ]; then
  echo "usage: parity.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR SCENARIO_FOLDER [NAME...]" >&2
  exit 2
fi
native_paths=$1/scenario-paths.sh windows_paths=$2/scenario-paths.sh folder=$(realpath "$3")
shift 3
root=$(cd "$(dirname "$0")/../.." && pwd)

for paths in "$native_paths" "$windows_paths"; do
  [ -f "$paths" ] || { echo "parity: no build for $paths (scripts/build native, scripts/build mingw-x86_64)" >&2; exit 1; }
done
# shellcheck source=/dev/null
driver_so=$(. "$native_paths" && echo "$driver")
# shellcheck source=/dev/null
driver_exe=$(. "$windows_paths" && echo "$driver")
for f in "$driver_so" "$driver_exe"; do
  [ -f "$f" ] || { echo "parity: $f does not exist" >&2; exit 1; }
done

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for scenario in "$folder"/*.scn; do
    name=$(basename "$scenario" .scn)
    [ -f "$folder/$name.expected" ] || names+=("$name")
  done
fi

. "$root/scripts/wine-lib.sh"
. "$root/tests/scenario/setup-check.sh"
"$root/scripts/prefix-dump" >/dev/null 2>&1  # builds the dump tool before the clock starts
start=$SECONDS
wine_start_display || exit 1
wine_boot_prefix || exit 1
echo "parity: prefix booted in $((SECONDS - start)) s"

# The game that Finish starts runs on in the prefix; stop it before the prefix is read.
settle() {
  WINEPREFIX=$1 wineserver -k >/dev/null 2>&1
  wine_wait_idle "$1" 20
}

# parity_of NAME: 0 when both runs and checks passed and the dumps are equal.
parity_of() {
  local name=$1 scenario=$folder/$1.scn native=$WINE_RUN_DIR/$1.native wine=$WINE_RUN_DIR/$1.wine
  local ok=0 t native_program windows_program
  native_program=$(scenario_program "$scenario" "$native_paths") &&
    windows_program=$(scenario_program "$scenario" "$windows_paths") || return 1
  for f in "$native_program" "$windows_program"; do
    [ -f "$f" ] || { echo "  $f does not exist"; return 1; }
  done
  wine_copy_prefix "$native" && wine_copy_prefix "$wine" || return 1

  t=$SECONDS
  # run-scenario.sh runs the setup before and the check after, in this prefix.
  if ! WINEPREFIX=$native "$root/tests/scenario/run-scenario.sh" "$driver_so" "$native_program" \
      "$scenario" >"$WINE_RUN_DIR/$name.native.log" 2>&1; then
    echo "  Linux run failed:"; sed 's/^/    /' "$WINE_RUN_DIR/$name.native.log"
    ok=1
  fi
  settle "$native"
  local native_secs=$((SECONDS - t))

  t=$SECONDS
  if ! { scenario_setup "$scenario" "$wine" &&
         wine_run_scenario "$wine" "$driver_exe" "$windows_program" "$scenario" &&
         settle "$wine" && scenario_check "$scenario" "$wine"; } >"$WINE_RUN_DIR/$name.wine.log" 2>&1; then
    echo "  Wine run failed:"; sed 's/^/    /' "$WINE_RUN_DIR/$name.wine.log"
    ok=1
  fi
  local wine_secs=$((SECONDS - t))

  "$root/scripts/prefix-dump" "$native" >"$WINE_RUN_DIR/$name.native.dump" || ok=1
  "$root/scripts/prefix-dump" "$wine" >"$WINE_RUN_DIR/$name.wine.dump" || ok=1
  if ! diff -u --label "Linux $name" --label "Wine $name" \
      "$WINE_RUN_DIR/$name.native.dump" "$WINE_RUN_DIR/$name.wine.dump" >"$WINE_RUN_DIR/$name.diff"; then
    echo "  the prefix dumps differ:"; sed 's/^/    /' "$WINE_RUN_DIR/$name.diff"
    ok=1
  fi
  echo "  (Linux run ${native_secs} s, Wine run ${wine_secs} s)"
  wine_remove_prefix "$native"
  wine_remove_prefix "$wine"
  return "$ok"
}

failed=()
for name in "${names[@]}"; do
  if [ ! -f "$folder/$name.scn" ]; then
    echo "parity: no scenario $name in $folder" >&2
    failed+=("$name")
    continue
  fi
  echo "parity $name:"
  if parity_of "$name"; then
    echo "parity $name: same prefix on Linux and under Wine"
  else
    echo "parity $name: FAILED"
    failed+=("$name")
  fi
done
echo "parity: ${#names[@]} scenario(s) in $((SECONDS - start)) s; ${#failed[@]} failed${failed:+: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ]
