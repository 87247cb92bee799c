#!/usr/bin/env bash
# compare-with-wine.sh NATIVE_TABLE WINDOWS_TABLE_EXE
# Runs the registry call table under Wine in a freshly booted prefix and over our advapi32
# in a copy of that prefix (so ours reads and rewrites the files Wine wrote), and fails
# when the printed answers differ. Then values of every type are handed across through the
# prefix's files, each way, and must read as they read when Wine both writes and reads.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
native=$1
exe=$2
# shellcheck source=scripts/wine-lib.sh
source "$root/scripts/wine-lib.sh"

wine_boot_prefix || exit 1
run_wine() {   # PREFIX ARGS... : the Windows table under Wine, its output without CR
  local prefix=$1
  shift
  wine_run "$prefix" 120 "$(wine_path "$exe")" "$@" | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
run_ours() {   # PREFIX ARGS...
  local prefix=$1
  shift
  WINEPREFIX=$prefix "$native" "$@"
}
same() {   # WHAT EXPECTED ACTUAL
  if ! diff -u "$2" "$3"; then
    echo "$1: our advapi32 answers differently from Wine (- Wine, + ours)" >&2
    exit 1
  fi
  echo "$1: $(wc -l <"$3") answers equal"
}

for p in table-wine table-ours wine-wine ours-wine wine-ours; do
  wine_copy_prefix "$WINE_RUN_DIR/$p" || exit 1
done

run_wine "$WINE_RUN_DIR/table-wine" >"$WINE_RUN_DIR/table-wine.txt" || exit 1
run_ours "$WINE_RUN_DIR/table-ours" >"$WINE_RUN_DIR/table-ours.txt" || exit 1
same "call table" "$WINE_RUN_DIR/table-wine.txt" "$WINE_RUN_DIR/table-ours.txt"

run_wine "$WINE_RUN_DIR/wine-wine" write || exit 1
run_wine "$WINE_RUN_DIR/wine-wine" read >"$WINE_RUN_DIR/wine-wine.txt" || exit 1
run_ours "$WINE_RUN_DIR/ours-wine" write || exit 1
run_wine "$WINE_RUN_DIR/ours-wine" read >"$WINE_RUN_DIR/ours-wine.txt" || exit 1
same "written by us, read by Wine" "$WINE_RUN_DIR/wine-wine.txt" "$WINE_RUN_DIR/ours-wine.txt"
run_wine "$WINE_RUN_DIR/wine-ours" write || exit 1
run_ours "$WINE_RUN_DIR/wine-ours" read >"$WINE_RUN_DIR/wine-ours.txt" || exit 1
same "written by Wine, read by us" "$WINE_RUN_DIR/wine-wine.txt" "$WINE_RUN_DIR/wine-ours.txt"
