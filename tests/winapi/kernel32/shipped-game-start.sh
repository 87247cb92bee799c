#!/usr/bin/env bash
# Our WinExec against this machine's Wine on the shipped 32-bit game: it must report a start
# exactly when Wine really runs the game (its window waits for the user, so it is still
# running after a few seconds), and "Can't run" (11) when Wine cannot.
#
#   shipped-game-start.sh WINEXEC_RUN GAME_EXE
set -euo pipefail
winexec_run=$1 game=$2
root=$(cd "$(dirname "$0")/../../.." && pwd)
. "$root/scripts/wine-lib.sh"
wine_start_display
wine_boot_prefix
prefix=$WINE_RUN_DIR/prefix
wine_copy_prefix "$prefix"
mkdir -p "$prefix/drive_c/Fernvale Patience"
cp "$game" "$prefix/drive_c/Fernvale Patience/fvpat.exe"

# What Wine really does with the game.
WINEPREFIX=$prefix wine "C:\\Fernvale Patience\\fvpat.exe" >/dev/null 2>&1 &
game_pid=$!
sleep 5
if kill -0 "$game_pid" 2>/dev/null; then runs=1; else runs=0; fi
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
wait "$game_pid" 2>/dev/null || true
wine_wait_idle "$prefix" 20

result=$(WINEPREFIX=$prefix "$winexec_run" '"C:\Fernvale Patience\fvpat.exe"')
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
echo "Wine runs the 32-bit game: $runs; our WinExec returns $result"
if [ "$runs" -eq 1 ]; then
  [ "$result" -gt 31 ] || { echo "FAILED: Wine runs the game, our WinExec refuses it"; exit 1; }
else
  [ "$result" -eq 11 ] || { echo "FAILED: Wine cannot run the game, our WinExec says $result"; exit 1; }
fi
