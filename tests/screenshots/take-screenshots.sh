#!/usr/bin/env bash
# Pictures of the Windows setup program's wizard under Wine, one PNG per page:
# OUT_FOLDER/page-1.png ... page-8.png, each the wizard window as Wine draws it (frame and
# caption included), taken once the page has shown and painted.
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
  file=$out/page-$n.png
  # The window's part of the screen; without the PNG time chunks, a picture of the same page is
  # the same file.
  if ! import -window root -crop "${width}x${height}+${x}+${y}" +repage \
       -strip -define png:exclude-chunks=date,time "$file"; then
    echo "screenshots: taking the picture of page $n failed" >&2
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
