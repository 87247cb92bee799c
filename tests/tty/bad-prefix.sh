#!/usr/bin/env bash
# A prefix the program cannot work in, started in a terminal: one line on stderr naming the
# prefix and what is wrong, a non-zero exit status, and nothing made. A new prefix that can be
# made is made, as before. Folders under /proc stand for ones that nobody, root included, may
# write in. usage: bad-prefix.sh PROGRAM
set -euo pipefail
program=$1
name=$(basename "$program")
. "$(dirname "$0")/tty-lib.sh"

tty_test_begin

cases=$work/cases
mkdir "$cases"
echo kept >"$cases/file"
before=$(find "$cases" -exec stat -c '%n %s %Y' {} +)

# start ENVIRONMENT...: the program with WINEPREFIX unset, then these set, its stderr kept.
start() {
  tty_run clear
  tty_wait_gone 'EXIT='
  tty_run "env -u WINEPREFIX $* $program 2>$work/stderr; echo EXIT=\$?"
}

tty_start 100 35
# environment | what it says after "PROGRAM: " (a pattern: the system's reason may differ)
while IFS='|' read -r environment expected <&3; do
  start "$environment"
  # The status itself, not the echo of the typed command, which shows before the program ends.
  if ! tty_wait_for 'EXIT=[0-9][0-9]*$'; then
    fail "$environment: the program did not end"
    tty_keys C-c
    continue
  fi
  tty_shows 'EXIT=0' && fail "$environment: exit status 0"
  message=$(cat "$work/stderr")
  # shellcheck disable=SC2254
  case "$message" in
    "$name: "$expected) ;;
    *) fail "$environment: said [$message]" ;;
  esac
done 3<<TABLE
WINEPREFIX=$cases/file|WINEPREFIX $cases/file is not a folder
WINEPREFIX=$cases/file/prefix|WINEPREFIX $cases/file/prefix cannot be created: $cases/file is not a folder
WINEPREFIX=$cases/file/deeper/prefix|WINEPREFIX $cases/file/deeper/prefix cannot be created: $cases/file is not a folder
HOME=$cases/file|the prefix $cases/file/.wine cannot be created: $cases/file is not a folder
WINEPREFIX=/proc/self|WINEPREFIX /proc/self cannot be written: ?*
WINEPREFIX=/proc/fvpsetup-prefix|WINEPREFIX /proc/fvpsetup-prefix cannot be created: ?*
TABLE
[ "$(find "$cases" -exec stat -c '%n %s %Y' {} +)" = "$before" ] || fail "something was made: $(find "$cases")"

echo "== a new prefix some folders down is made, and the wizard starts"
start "WINEPREFIX=$work/new/deeper/prefix"
tty_wait_for 'Just click Next to get started' || fail "no wizard in a new prefix"
tty_keys Escape
tty_wait_for 'EXIT=0' || fail "Esc did not end the program with status 0"
[ -L "$work/new/deeper/prefix/dosdevices/c:" ] || fail "the new prefix has no drive C:"
[ ! -s "$work/stderr" ] || fail "a new prefix gave a message: $(cat "$work/stderr")"

[ $failures -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "all passed"
