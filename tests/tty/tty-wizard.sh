#!/usr/bin/env bash
# The wizard in a terminal, used as a person uses it: keys typed into tmux, the screen read
# back. Arguments: the setup program, the same program around the small payload (whose file
# is too short, so it only says so in a message box), the licence text it carries, the
# folder of the files it installs, and a program that only shows the shell's folder browser.
set -euo pipefail
program="$1"
small_program="$2"
license="$3"
payload="$4"
browse_probe="$5"
. "$(dirname "$0")/tty-lib.sh"

tty_test_begin
expect_cursor_in() {  # expect_cursor_in TEXT: the cursor comes to the control showing TEXT
  local at tries=200; at=$(tty_find "$1")
  [ -n "$at" ] || { fail "no $1 on the screen"; return; }
  set -- $at
  while [ "$(tty_cursor)" != "$(($1 + 2)),$2" ] && [ $tries -gt 0 ]; do sleep 0.05; tries=$((tries - 1)); done
  [ "$(tty_cursor)" = "$(($1 + 2)),$2" ] || fail "cursor at $(tty_cursor), not in the control at $1,$2"
}
# The terminal took lines and echo back: the shell answers a typed command.
expect_terminal_back() {
  tty_wait_for "$1" || fail "the program did not end with $1"
  tty_run 'stty -a | tr " " "\n" | grep -x -- "-\?\(icanon\|echo\|isig\)" | sort | tr "\n" " "; echo alive-$((6*7))'
  tty_wait_for 'alive-42' || fail "the shell does not answer after the program"
  tty_shows 'echo icanon isig alive-42' || fail "terminal modes not as before: $(tty_screen | grep alive-42)"
}
start_setup() {  # start_setup PREFIX [PROGRAM]: on a cleared screen
  tty_run clear
  tty_wait_gone 'EXIT='
  tty_run "WINEPREFIX=$1 ${2:-$program}; echo EXIT=\$?"
}

echo "== walk: welcome, licence, back and next, destination, shortcuts, cancel"
tty_start 100 35
start_setup "$work/walk"
tty_wait_for 'Just click Next to get started'
set -- $(tty_find '+- Welcome ')
frame_x=$1 frame_y=$2
# Dialog units to cells: the texts of the welcome template at their own places.
set -- $(tty_find 'Welcome to Fernvale Patience Deluxe version 2.04')
[ "$1 $2" = "$((frame_x + 5)) $((frame_y + 3))" ] || fail "welcome text at $1,$2 (frame at $frame_x,$frame_y)"
set -- $(tty_find 'Just click Next')
[ "$1 $2" = "$((frame_x + 5)) $((frame_y + 10))" ] || fail "'Just click Next' at $1,$2"
tty_shows '[ Back' && fail "Back is enabled on the first page"
tty_shows '[ Next > ]' || fail "Next is not offered"
expect_cursor_in '[ Next > ]'
tty_keys Tab
expect_cursor_in '[ Cancel ]'

# Enter presses the default button, Next, whichever button has the focus... unless it is a
# push button itself: from Cancel, Shift+Tab goes back to Next first.
tty_keys BTab Enter
tty_wait_for '+- License '
tty_wait_for 'Please read the following license'
rule=$(head -n 1 "$license" | tr -d '\r')
last=$(grep -v '^[[:space:]]*$' "$license" | tail -n 1 | tr -d '\r')
tty_shows "|$rule" || fail "the agreement does not start with its first line"
title=$(sed -n 2p "$license" | tr -d '\r' | sed 's/^ *//')
tty_screen | grep -q "^ *|.*|  *$title  *[#:^]|" || fail "the second line is not a line of its own: $title"
tty_shows "$last" && fail "the end of the agreement shows before scrolling"
pages=0
while ! tty_shows "$last" && [ $pages -lt 40 ]; do
  before=$(tty_screen)
  tty_keys NPage
  tty_wait_change "$before" || break
  pages=$((pages + 1))
done
tty_wait_for "$last" || fail "Page Down never reached the end of the agreement"
[ $pages -gt 3 ] || fail "the agreement ended after $pages pages"
tty_shows "|$rule" && fail "the first line still shows at the end"
tty_keys PPage
tty_wait_gone "$last" || fail "Page Up did not scroll back"

# Tab to Back and Enter: the welcome page again, with Back disabled; Next returns to a licence
# that starts from the top again.
tty_keys Tab Tab
expect_cursor_in '[ < Back ]'
tty_keys Enter
tty_wait_for 'Just click Next to get started' || fail "Back did not return to the welcome page"
tty_shows '[ < Back ]' && fail "Back is enabled again on the welcome page"
tty_keys Enter
tty_wait_for "|$rule" || fail "the agreement is not shown from its start again"

tty_keys Enter
tty_wait_for 'or click Browse.' || fail "Next on the licence page did not go on"
# A folder without a drive is refused in a message box on top of the wizard; Enter closes it
# and the page stays.
tty_keys Tab End
tty_keys -N 60 BSpace
tty_text 'games'
tty_wait_for '   games   ' || fail "typing into the folder box"
tty_keys Enter
tty_wait_for "Can't create directory." || fail "no message box for a folder without a drive"
tty_shows "+- $(basename "$program") " || fail "the message box has not the program's name as caption"
tty_shows 'If this is okay, click next.' || fail "the wizard does not stay under the message box"
tty_keys Enter
tty_wait_gone "Can't create directory." || fail "Enter did not close the message box"
# A folder longer than the box scrolls sideways with the caret; Home shows its start again.
tty_keys -N 10 BSpace
tty_text 'C:\Some-folder-name-longer-than-the-box\Cards'
tty_wait_for 'than-the-box\Cards' || fail "the end of a long folder is not in view"
tty_shows 'C:\Some-folder' && fail "the start of a long folder still shows at its end"
tty_keys Home
tty_wait_for 'C:\Some-folder' || fail "Home does not scroll back to the start"
# Browse, a tab stop before the folder box, opens the shell's folder browser on top; a drive
# chosen in its tree comes back into the box with the suffix appended as it stands.
tty_keys BTab Space
tty_wait_for '+- Browse for Folder ' || fail "Browse did not open the folder browser"
tty_shows 'Choose a directory' || fail "the browser's title is missing"
tty_keys Tab Tab Down Right
tty_wait_for '- My Computer' || fail "Right did not open My Computer in the browser"
tty_keys Down Enter
tty_wait_gone '+- Browse for Folder ' || fail "the folder browser did not close"
tty_wait_for 'C:\\Fernvale Patience' || fail "the browsed drive did not come back with the suffix"
tty_keys Tab End
tty_keys -N 50 BSpace
tty_text 'C:\Cards'
tty_wait_for '   C:\Cards   ' || fail "typing a folder"
tty_keys Enter
tty_wait_for 'Where would you like them?' || fail "the shortcut page did not come"

# The check boxes: Space toggles the one with the focus; Tab goes to the next one.
tty_shows '[x] Add a shortcut to your desktop' || fail "desktop shortcut not chosen at first"
tty_keys Space
tty_wait_for '[ ] Add a shortcut to your desktop' || fail "Space did not clear the desktop box"
tty_shows '[x] Add a shortcut in your start menu' || fail "Space changed another box"
tty_keys Tab Space
tty_wait_for '[ ] Add a shortcut in your start menu' || fail "Tab and Space on the start-menu box"
tty_keys Space
tty_wait_for '[x] Add a shortcut in your start menu' || fail "Space did not set the box again"

# The mailing-list page: a text too long for its one row of cells goes on in the free row
# below it, and each field sits on the row of its label.
tty_keys Enter
tty_wait_for 'E-Mail Address:' || fail "the mailing-list page did not come"
tty_shows 'blank.' || fail "the end of the text above the fields is cut off"
tty_text 'Ada Lovelace'
tty_keys Tab
tty_text 'ada@example.com'
tty_wait_for 'ada@example.com' || fail "typing into the mailing-list fields"
for field in 'Name:|Ada Lovelace' 'E-Mail Address:|ada@example.com'; do
  label=$(tty_find "${field%%|*}") value=$(tty_find "${field#*|}")
  [ "${label#* }" = "${value#* }" ] || fail "${field#*|} on row ${value#* }, its label on row ${label#* }"
done

tty_keys Escape
expect_terminal_back 'EXIT=0'
tty_shows 'E-Mail Address:' && fail "the wizard stays on the screen after Cancel"

echo "== the README's picture of the destination page is what a 80x24 terminal shows"
# Trailing blanks and the empty rows around the wizard aside.
trimmed() { sed 's/ *$//' | sed -e '/./,$!d' | tac | sed -e '/./,$!d' | tac; }
tty_start 80 24
start_setup "$work/picture"
for page in 'Just click Next' 'Please read'; do tty_wait_for "$page" && tty_keys Enter; done
tty_wait_for 'or click Browse.' || fail "the destination page did not come"
tty_screen | trimmed >"$work/screen.txt"
awk '/^## The wizard in a terminal/ { section = 1 } section && /^```/ { if (inside) exit; inside = 1; next }
     inside' "$(dirname "$0")/../../README.md" | trimmed >"$work/readme.txt"
if ! diff -u --label README.md --label screen "$work/readme.txt" "$work/screen.txt"; then
  fail "the README's terminal picture is not what the program shows (the screen is above)"
fi
tty_keys Escape
expect_terminal_back 'EXIT=0'

echo "== message box: the incomplete program says so; Enter closes it"
rm -rf "$work/small"
start_setup "$work/small" "$small_program"
tty_wait_for 'File is incomplete' || fail "no message box"
tty_shows "+- $(basename "$small_program") " || fail "the message box has not the program's name as caption"
tty_shows '[ OK ]' || fail "the message box has no OK button"
tty_keys Enter
expect_terminal_back 'EXIT='

echo "== a file that cannot be written ends the program from its message box"
start_setup "$work/fatal"
tty_wait_for 'Just click Next'
tty_keys Escape
tty_wait_for 'EXIT=0'
# Every file to install is already a folder of that name in the proposed destination.
for file in "$payload"/*; do mkdir -p "$work/fatal/drive_c/Fernvale Patience/$(basename "$file")"; done
start_setup "$work/fatal"
for page in 'Just click Next' 'Please read' 'or click Browse.' 'Where would you like them?' \
            'Would you like to be added' "we'll get to work"; do
  tty_wait_for "$page" || break
  tty_keys Enter
done
tty_wait_for "Can't decompress file." || fail "no message for a file that cannot be written"
tty_keys Enter
expect_terminal_back 'EXIT=1'

echo "== the folder browser: a tree opened and chosen from with the keyboard"
start_setup "$work/browse" "$browse_probe"
tty_wait_for '+- Browse for Folder ' || fail "no folder browser"
tty_shows 'Choose a directory' || fail "the browser's title is missing"
tty_keys Tab Tab Down Right
tty_wait_for '- My Computer' || fail "Right did not open My Computer"
tty_shows '+  (C:)' || fail "the drives are not listed under My Computer"
tty_keys Down Enter
tty_wait_for 'chosen=[C:\]' || fail "the drive chosen in the tree is not what the browser returns"
expect_terminal_back 'EXIT=0'

echo "== Ctrl+C and SIGTERM give the terminal back"
start_setup "$work/interrupt"
tty_wait_for 'Just click Next'
tty_keys C-c
# The shell abandons the rest of a command line whose program died of SIGINT: ask it apart.
tty_wait_for 'ready>$'
tty_run 'echo EXIT=$?'
expect_terminal_back 'EXIT=130'
start_setup "$work/term"
tty_wait_for 'Just click Next'
shell=$(tty_tmux display -p -t "$TTY_TARGET" '#{pane_pid}')
kill -TERM "$(pgrep -P "$shell" -x "$(basename "$program")")"
expect_terminal_back 'EXIT=143'

echo "== too small a terminal says so, and a larger one shows the wizard"
tty_start 40 10
start_setup "$work/small-terminal"
tty_wait_for 'Terminal too small' || fail "a 40x10 terminal is not reported too small"
tty_tmux resize-window -t "$TTY_TARGET" -x 100 -y 35
tty_wait_for 'Just click Next to get started' || fail "no redraw after the terminal grew"
tty_wait_gone 'Terminal too small' || fail "still too small after growing"
tty_keys Escape
expect_terminal_back 'EXIT=0'

echo "== without a terminal the program says so and touches nothing"
for redirect in '</dev/null' '>/dev/null'; do
  rm -rf "$work/none" "$work/stderr"
  tty_run clear
  tty_wait_gone 'EXIT='
  tty_run "WINEPREFIX=$work/none $program $redirect 2>$work/stderr; echo EXIT=\$?"
  tty_wait_for 'EXIT=' || fail "no end with $redirect"
  tty_shows 'EXIT=0' && fail "exit status 0 with $redirect"
  grep -q 'needs a terminal' "$work/stderr" || fail "no message with $redirect: $(cat "$work/stderr")"
  [ ! -e "$work/none" ] || fail "the prefix was created with $redirect"
done

[ $failures -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "all passed"
