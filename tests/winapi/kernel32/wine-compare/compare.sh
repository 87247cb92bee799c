#!/usr/bin/env bash
# compare.sh NATIVE_TABLE
# Runs the kernel32 call table twice, built for Windows under Wine in a freshly booted
# prefix and built over our kernel32 in a fresh prefix of ours, and fails when the two
# printed answers differ.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../../.." && pwd)
native=$1
# shellcheck source=scripts/wine-lib.sh
source "$root/scripts/wine-lib.sh"

x86_64-w64-mingw32-g++ -O1 -Wall -Wextra -static -o "$WINE_RUN_DIR/kernel32_table.exe" \
  "$here/kernel32_table.cpp" || exit 1
wine_boot_prefix || exit 1
wine_copy_prefix "$WINE_RUN_DIR/wine-prefix" || exit 1
# Wine's console output ends lines with CR LF; the table prints every other CR escaped.
wine_run "$WINE_RUN_DIR/wine-prefix" 120 "$(wine_path "$WINE_RUN_DIR/kernel32_table.exe")" \
  | tr -d '\r' >"$WINE_RUN_DIR/wine.txt"
status=${PIPESTATUS[0]}
if [ "$status" -ne 0 ]; then
  echo "the table ended with $status under Wine" >&2
  exit 1
fi
# Our prefix sits next to Wine's, on the same file system.
WINEPREFIX=$WINE_RUN_DIR/our-prefix "$native" >"$WINE_RUN_DIR/ours.txt" || exit 1
if ! diff -u "$WINE_RUN_DIR/wine.txt" "$WINE_RUN_DIR/ours.txt"; then
  echo "our kernel32 answers differently from Wine (- Wine, + ours)" >&2
  exit 1
fi
echo "$(wc -l <"$WINE_RUN_DIR/ours.txt") answers equal"
