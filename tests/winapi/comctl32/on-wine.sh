#!/usr/bin/env bash
# The comctl32 tests built as 64-bit Windows programs against the real comctl32 and run under
# Wine: what they expect of the wizard sheet, the progress bar and the tree view must hold on
# the real platform too. (The idle-hook test and the headless display are the Linux build's own.)
#   on-wine.sh BUILD_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: on-wine.sh BUILD_FOLDER}
# shellcheck source=scripts/wine-lib.sh
. "$here/../../../scripts/wine-lib.sh"

mkdir -p "$out"
cxx=x86_64-w64-mingw32-g++-posix
gtest=/usr/src/googletest/googletest
build() {  # build PROGRAM SOURCES...
  local program=$1
  shift
  $cxx -std=c++17 -O1 -Wall -Wextra -static -I$gtest/include -I"$here" -I"$here/../../common" -o "$out/$program.exe" "$@" \
    "$out/gtest-all.o" "$out/gtest_main.o" -lcomctl32 -luser32
}
for part in gtest-all gtest_main; do
  [ -f "$out/$part.o" ] || $cxx -std=c++17 -O1 -I$gtest/include -I$gtest -c "$gtest/src/$part.cc" -o "$out/$part.o" ||
    exit 1
done
x86_64-w64-mingw32-windres -i "$here/wizard_pages.rc" -O coff -o "$out/wizard_pages.o" || exit 1
build comctl32_test "$here"/../../common/dialog_builder.cpp "$here"/wizard_driver.cpp "$here"/progress_test.cpp \
  "$here"/wizard_frame_test.cpp "$here"/wizard_navigation_test.cpp "$out/wizard_pages.o" || exit 1
build treeview_test "$here"/treeview_test.cpp || exit 1

wine_start_display || exit 1
wine_boot_prefix || exit 1
failures=0
for program in comctl32_test treeview_test; do
  wine_run "$WINE_BASE_PREFIX" 300 "$(wine_path "$out/$program.exe")" || {
    echo "FAILED under Wine: $program"
    failures=$((failures + 1))
  }
done
[ "$failures" -eq 0 ]
