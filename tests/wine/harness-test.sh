#!/usr/bin/env bash
# The Wine harness end to end: Xvfb, one booted prefix copied per case, a fixture program
# that leaves install traces (a window, the uninstall key, files, fvpat.ini, links made
# with IShellLinkA), the prefix dump of what it left, screenshots, and the scenario
# runner with a stand-in driver. Prints the times it measured.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
fixtures=$root/tests/wine/fixtures
# shellcheck source=scripts/wine-lib.sh
source "$root/scripts/wine-lib.sh"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
millis_since() {
  echo $(( ($(date +%s%N) - $1) / 1000000 ))
}
# The dump with this machine's user folder name made neutral, as the expected dumps have it.
neutral_dump() {
  "$root/scripts/prefix-dump" "$1" | sed "s#\"users/$2/#\"users/USER/#g; s#\"users/$2\"#\"users/USER\"#g"
}
expect_same() {
  local what=$1 expected=$2 actual=$3
  if ! diff -u "$expected" "$actual" >"$WINE_RUN_DIR/diff.txt"; then
    fail "$what differs from $expected:"
    cat "$WINE_RUN_DIR/diff.txt" >&2
  fi
}

bin=$WINE_RUN_DIR/bin
mkdir -p "$bin"
x86_64-w64-mingw32-gcc -O2 -s -Wall -Wextra -mwindows -o "$bin/fakeinstall.exe" \
  "$fixtures/fakeinstall.c" -lole32 -luuid -lshell32 || exit 1
x86_64-w64-mingw32-gcc -O2 -s -Wall -Wextra -o "$bin/fakedriver.exe" "$fixtures/fakedriver.c" || exit 1
"$root/scripts/prefix-dump" >/dev/null 2>&1  # build the dump tool outside the timings

wine_start_display || exit 1
started=$(date +%s%N)
wine_boot_prefix || exit 1
boot_ms=$(millis_since "$started")

user=""
for folder in "$WINE_BASE_PREFIX"/drive_c/users/*; do
  [ "$(basename "$folder")" = Public ] || user=$(basename "$folder")
done
[ -n "$user" ] || fail "the booted prefix has no user folder"
[ -L "$WINE_BASE_PREFIX/drive_c/users/$user/Desktop" ] && fail "the desktop still links outside the prefix"

# --- A fresh copy holds none of the traces; every part shows as absent.
started=$(date +%s%N)
wine_copy_prefix "$WINE_RUN_DIR/fresh" || exit 1
copy_ms=$(millis_since "$started")
neutral_dump "$WINE_RUN_DIR/fresh" "$user" >"$WINE_RUN_DIR/fresh.dump"
expect_same "dump of a fresh prefix" "$fixtures/fresh-prefix.dump" "$WINE_RUN_DIR/fresh.dump"

# --- The fixture installs into a folder with a blank; the dump shows what it left.
prefix=$WINE_RUN_DIR/install
wine_copy_prefix "$prefix" || exit 1
started=$(date +%s%N)
wine_run "$prefix" 60 "$bin/fakeinstall.exe" 'C:\Games\Fern Patience\' >"$WINE_RUN_DIR/fakeinstall.out"
status=$?
run_ms=$(millis_since "$started")
[ "$status" -eq 0 ] || fail "fakeinstall ended with $status"
printf '%s\r\n' "desktop=C:\\users\\$user\\Desktop" \
  "programs=C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs" \
  "temp=C:\\users\\$user\\Temp\\" "windows=C:\\windows" >"$WINE_RUN_DIR/folders.expected"
# The program's text-mode stdout ends its lines with CR LF.
expect_same "special folders seen by the program" "$WINE_RUN_DIR/folders.expected" "$WINE_RUN_DIR/fakeinstall.out"
neutral_dump "$prefix" "$user" >"$WINE_RUN_DIR/install.dump"
expect_same "dump after the fixture's install" "$fixtures/fakeinstall.dump" "$WINE_RUN_DIR/install.dump"
# Wine's own uninstaller finds the entry (key name, then display name).
wine_run "$prefix" 60 uninstaller --list >"$WINE_RUN_DIR/uninstaller.out"
grep -q '^Fernvale Patience Deluxe|||Fernvale Patience Deluxe' "$WINE_RUN_DIR/uninstaller.out" ||
  fail "wine uninstaller --list does not show the entry"
# The fresh copy is untouched by what ran in its sibling.
neutral_dump "$WINE_RUN_DIR/fresh" "$user" | diff -q "$fixtures/fresh-prefix.dump" - >/dev/null ||
  fail "running in one copy changed another"
if ! wine_remove_prefix "$WINE_RUN_DIR/fresh" || [ -e "$WINE_RUN_DIR/fresh" ]; then
  fail "removing a copy"
fi

# --- Screenshots of the whole screen and of one window.
WINEPREFIX=$prefix wine notepad >/dev/null 2>&1 &
notepad=$!
notepad_shown() {
  xwininfo -root -tree 2>/dev/null | grep -q '"Untitled - Notepad":'
}
if wine_poll 30 notepad_shown; then
  wine_screenshot "$WINE_RUN_DIR/screen.png" || fail "screenshot of the screen"
  wine_screenshot "$WINE_RUN_DIR/notepad.png" "Untitled - Notepad" || fail "screenshot of the window"
  [ "$(identify -format '%m %wx%h' "$WINE_RUN_DIR/screen.png" 2>/dev/null)" = "PNG 1024x768" ] ||
    fail "the screen's picture is not a 1024x768 PNG"
  window_size=$(identify -format '%m %w %h' "$WINE_RUN_DIR/notepad.png" 2>/dev/null)
  read -r format width height <<<"${window_size:-none 0 0}"
  { [ "$format" = PNG ] && [ "$width" -gt 50 ] && [ "$width" -lt 1024 ] && [ "$height" -gt 50 ]; } ||
    fail "the window's picture is not a PNG of the window ($window_size)"
  wine_screenshot "$WINE_RUN_DIR/none.png" "No Such Window" 2>/dev/null && fail "a missing window was pictured"
else
  fail "notepad's window did not show within 30 s"
fi
WINEPREFIX=$prefix wineserver -k
wait "$notepad" 2>/dev/null
wine_wait_idle "$prefix" 30 || fail "notepad's prefix did not end"

# --- The scenario runner, with a stand-in driver that starts the program in the prefix.
prefix=$WINE_RUN_DIR/scenario
wine_copy_prefix "$prefix" || exit 1
for verdict in pass fail hang; do
  echo "$verdict" >"$WINE_RUN_DIR/$verdict.scenario"
done
wine_run_scenario "$prefix" "$bin/fakedriver.exe" "$bin/fakeinstall.exe" "$WINE_RUN_DIR/pass.scenario" 60 \
  >"$WINE_RUN_DIR/pass.out" 2>"$WINE_RUN_DIR/pass.err"
status=$?
[ "$status" -eq 0 ] || fail "a passing scenario gave $status"
grep -q '^fakedriver: program ended with 0' "$WINE_RUN_DIR/pass.out" || fail "the driver's stdout did not come through"
grep -q '^fakedriver: scenario says pass' "$WINE_RUN_DIR/pass.err" || fail "the driver's stderr did not come through"
[ -f "$prefix/drive_c/Driven/fvpat.exe" ] || fail "the driven program did not run in the scenario's prefix"

wine_run_scenario "$prefix" "$bin/fakedriver.exe" "$bin/fakeinstall.exe" "$WINE_RUN_DIR/fail.scenario" 60 \
  >/dev/null 2>"$WINE_RUN_DIR/fail.err"
status=$?
[ "$status" -eq 1 ] || fail "a failing scenario gave $status"

started=$(date +%s%N)
wine_run_scenario "$prefix" "$bin/fakedriver.exe" "$bin/fakeinstall.exe" "$WINE_RUN_DIR/hang.scenario" 8 \
  >/dev/null 2>"$WINE_RUN_DIR/hang.err"
status=$?
hang_ms=$(millis_since "$started")
[ "$status" -eq 1 ] || fail "a scenario that never ends gave $status"
grep -q 'did not end within 8 s' "$WINE_RUN_DIR/hang.err" || fail "no message for a scenario that never ends"
WINEPREFIX=$prefix timeout 1 wineserver -w 2>/dev/null || fail "Wine processes left after a scenario that never ends"

wine_run_scenario "$prefix" "$bin/missing.exe" "$bin/fakeinstall.exe" "$WINE_RUN_DIR/pass.scenario" 60 \
  2>/dev/null && fail "a missing driver passed"

echo "times: wineboot ${boot_ms} ms, prefix copy ${copy_ms} ms, fixture run with wineserver -w ${run_ms} ms," \
  "scenario stopped at 8 s bound ${hang_ms} ms"
if [ "$failures" -ne 0 ]; then
  echo "harness-test: $failures failure(s)" >&2
  exit 1
fi
echo "harness-test: all passed"
