# Driving a program in a terminal the way a person does: a tmux server of our own, keys sent
# to a shell in its pane, and the screen read back. Every wait polls the screen with a bound.
# TTY_SOCKETS names a folder for the servers' sockets, removed by the caller.

TTY_SOCKET=""
TTY_TARGET="main"
tty_started=0

tty_tmux() { tmux -S "$TTY_SOCKET" "$@"; }

# tty_test_begin: what a test script starts with: a scratch folder `work` that also holds the
# servers' sockets, removed with the server at exit, and `fail` counting into `failures`.
tty_test_begin() {
  work=$(mktemp -d)
  TTY_SOCKETS="$work"
  trap 'tty_stop; rm -rf "$work"' EXIT
  failures=0
}
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# tty_start COLUMNS LINES: a fresh terminal running an interactive shell without user settings.
tty_start() {
  tty_stop
  tty_started=$((tty_started + 1))
  TTY_SOCKET="${TTY_SOCKETS:?}/tmux-$tty_started"
  tty_tmux new-session -d -s "$TTY_TARGET" -x "$1" -y "$2" \
    "env -i PATH=$PATH HOME=$HOME TERM=screen PS1='ready> ' bash --norc --noprofile"
  tty_wait_for 'ready>'
}

tty_stop() { [ -z "$TTY_SOCKET" ] || tty_tmux kill-server 2>/dev/null || true; }

tty_screen() { tty_tmux capture-pane -p -t "$TTY_TARGET"; }

# tty_type TEXT...: keys as tmux names them (Enter, Tab, BTab, Space, NPage, Escape, C-c).
tty_keys() { tty_tmux send-keys -t "$TTY_TARGET" "$@"; }
tty_text() { tty_tmux send-keys -t "$TTY_TARGET" -l "$1"; }
tty_run() { tty_text "$1"; tty_keys Enter; }

# tty_wait_for TEXT [SECONDS]: until the screen shows TEXT (a fixed string, or a grep pattern
# when it ends in '$'); fails, printing the screen, when it does not within the bound.
tty_wait_for() {
  local text="$1" tries=$(( ${2:-10} * 20 ))
  while [ "$tries" -gt 0 ]; do
    if tty_shows "$text"; then return 0; fi
    sleep 0.05
    tries=$((tries - 1))
  done
  echo "never shown: $text" >&2
  tty_screen >&2
  return 1
}

# tty_wait_gone TEXT [SECONDS]: until the screen no longer shows TEXT.
tty_wait_gone() {
  local text="$1" tries=$(( ${2:-10} * 20 ))
  while [ "$tries" -gt 0 ]; do
    if ! tty_shows "$text"; then return 0; fi
    sleep 0.05
    tries=$((tries - 1))
  done
  echo "still shown: $text" >&2
  tty_screen >&2
  return 1
}

# tty_wait_change SCREEN [SECONDS]: until the screen differs from SCREEN (a tty_screen taken
# before a key was sent).
tty_wait_change() {
  local before="$1" tries=$(( ${2:-10} * 20 ))
  while [ "$tries" -gt 0 ]; do
    [ "$(tty_screen)" != "$before" ] && return 0
    sleep 0.05
    tries=$((tries - 1))
  done
  echo "the screen did not change" >&2
  return 1
}

tty_shows() {
  case "$1" in
    *'$') tty_screen | grep -q -- "$1" ;;
    *) tty_screen | grep -qF -- "$1" ;;
  esac
}

# tty_cursor: "x,y" of the terminal's cursor.
tty_cursor() { tty_tmux display -p -t "$TTY_TARGET" '#{cursor_x},#{cursor_y}'; }

# tty_find TEXT: "column row" of the first place the screen shows TEXT.
tty_find() {
  tty_screen | awk -v t="$1" '{ i = index($0, t); if (i) { print i - 1, NR - 1; exit } }'
}
