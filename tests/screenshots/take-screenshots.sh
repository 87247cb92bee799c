#!/usr/bin/env bash
# Pictures of the Windows setup program's wizard under Wine, one PNG per page:
# OUT_FOLDER/page-1.png ... page-8.png, each the wizard window as Wine draws it (frame and
# caption included), taken once the page has shown and two pictures in a row are the same
# (Wine hands a window's drawing to the X server a moment after it was painted). The copy page,
# which moves on by itself, is held still by the pager for its picture.
#
#   take-screenshots.sh SETUP_EXE OUT_FOLDER
set -uo pipefail
if [ $# -ne 2 ]; then
  echo "usage: take-screenshots.sh SETUP_EXE OUT_FOLDER" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
setup_exe=$(realpath "$1")
mkdir -p "$2" || exit 1
out=$(realpath "$2")
# What to do on each page once it is pictured: the copy page moves on by itself, and the done
# page is left with Cancel, so that no game is started.
actions=(next next next next next next wait cancel)

# shellcheck source=scripts/wine-lib.sh
. "$root/scripts/wine-lib.sh"
pager=$WINE_RUN_DIR/wizard-pager.exe
x86_64-w64-mingw32-gcc -std=c11 -O1 -Wall -Wextra -o "$pager" "$here/wizard-pager.c" -lcomctl32 ||
  exit 1
wine_start_display || exit 1
wine_boot_prefix || exit 1

# picture GEOMETRY FILE: that part of the screen as a PNG; without the PNG time chunks, the same
# pixels make the same file.
picture() {
  import -window root -crop "$1" +repage -strip -define png:exclude-chunks=date,time "$2" || {
    echo "screenshots: taking a picture failed" >&2
    return 1
  }
}

# same_twice GEOMETRY FILE: takes a picture into FILE; holds when it equals the one before.
same_twice() {
  [ -f "$2" ] && mv -f "$2" "$2.before"
  picture "$1" "$2" || return 1
  cmp -s "$2" "$2.before" && rm -f "$2.before"
}

coproc pager_io {
  WINEPREFIX=$WINE_BASE_PREFIX timeout 120 wine "$(wine_path "$pager")" "$(wine_path "$setup_exe")" 2>&1 |
    sed -u 's/\r$//'
}
pager_pid=$pager_io_PID
status=0
for ((n = 1; n <= ${#actions[@]}; n++)); do
  if ! IFS= read -r -t 60 line <&"${pager_io[0]}"; then
    echo "screenshots: no word from the pager about page $n" >&2
    status=1
    break
  fi
  if [[ $line != "page $n "* ]]; then
    echo "screenshots: expected page $n, the pager said: $line" >&2
    status=1
    break
  fi
  read -r _ _ x y width height title <<<"$line"
  geometry=${width}x${height}+${x}+${y}
  file=$out/page-$n.png
  rm -f "$file" "$file.before"
  if [ "${actions[n - 1]}" = wait ]; then
    echo hold >&"${pager_io[1]}"
    if ! IFS= read -r -t 30 line <&"${pager_io[0]}" || [ "$line" != held ]; then
      echo "screenshots: the pager did not hold page $n" >&2
      status=1
      break
    fi
    picture "$geometry" "$file" || { status=1; break; }
  elif ! wine_poll 10 same_twice "$geometry" "$file"; then
    echo "screenshots: page $n did not come to rest on the screen" >&2
    rm -f "$file.before"
    status=1
    break
  fi
  echo "screenshots: page $n ($title) in $file"
  echo "${actions[n - 1]}" >&"${pager_io[1]}"
done
exec {pager_io[1]}>&-
wait "$pager_pid" || status=1
WINEPREFIX=$WINE_BASE_PREFIX wineserver -k 2>/dev/null
exit "$status"
