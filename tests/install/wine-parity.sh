#!/usr/bin/env bash
# One scenario run twice, by the Linux program and by the Windows program under Wine, each in
# a fresh prefix holding the same destination folder; the two prefix dumps must be equal.
#
#   wine-parity.sh SCENARIO NATIVE_PROGRAM DRIVER_SO WINDOWS_PROGRAM DRIVER_EXE
set -euo pipefail
scenario=$1 native_program=$2 driver_so=$3 windows_program=$4 driver_exe=$5
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/wine-lib.sh"

# The native prefix starts as a booted Wine prefix does: with the user's desktop and programs
# folders, which a prefix new to the Linux build gets only when a link is first saved.
native=$WINE_RUN_DIR/native
user_folder=$native/drive_c/users/${USER:-$(id -un)}
mkdir -p "$native/drive_c/Fernvale Patience" "$user_folder/Desktop" \
  "$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
WINEPREFIX=$native "$root/tests/scenario/run-scenario.sh" "$driver_so" "$native_program" "$scenario"
"$root/scripts/prefix-dump" "$native" > "$WINE_RUN_DIR/native.dump"

wine_start_display
wine_boot_prefix
windows=$WINE_RUN_DIR/windows
wine_copy_prefix "$windows"
mkdir -p "$windows/drive_c/Fernvale Patience"
# The Windows driver takes the scenario first, then the program it starts.
wine_run "$windows" 120 "$(wine_path "$driver_exe")" "$(wine_path "$scenario")" \
  "$(wine_path "$windows_program")"
"$root/scripts/prefix-dump" "$windows" > "$WINE_RUN_DIR/windows.dump"

diff -u "$WINE_RUN_DIR/native.dump" "$WINE_RUN_DIR/windows.dump"
echo "same prefix after $(basename "$scenario") natively and under Wine"
