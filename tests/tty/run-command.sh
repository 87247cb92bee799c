#!/usr/bin/env bash
# The README's run command as a newcomer types it: `scripts/run` in the checkout's root, in a
# terminal, with a home and a prefix of the test's own. It shows the welcome page, Esc leaves
# it, and the program ends with status 0 and the shell prompts again.
# usage: run-command.sh CHECKOUT
set -euo pipefail
checkout=$1
. "$(dirname "$0")/tty-lib.sh"

tty_test_begin

export HOME="$work/home"
mkdir "$HOME"
tty_start 100 35
tty_run "export WINEPREFIX='$work/prefix'; cd '$checkout' && clear"
tty_wait_gone 'export WINEPREFIX'
# Until the welcome page shows, or the shell prompts again below the command: scripts/run
# ended without starting the wizard. A build that is not up to date may take minutes first.
wait_for_welcome() {
  local tries=$((300 * 20))
  while [ $tries -gt 0 ]; do
    tty_shows '+- Welcome ' && return 0
    [ "$(tty_screen | grep -c '^ready>')" -lt 2 ] || break
    sleep 0.05
    tries=$((tries - 1))
  done
  tty_screen >&2
  return 1
}

tty_run 'scripts/run'
wait_for_welcome || { echo "FAIL: no welcome page" >&2; exit 1; }
tty_shows 'Just click Next to get started' || fail "the welcome page has not its text"
tty_keys Escape
tty_wait_for 'ready>$' || fail "no prompt after Esc"
tty_run 'echo EXIT=$?'
tty_wait_for 'EXIT=0' || fail "scripts/run did not end with status 0"
[ -d "$work/prefix/dosdevices" ] || fail "the program did not lay out the prefix WINEPREFIX names"

[ $failures -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "all passed"
