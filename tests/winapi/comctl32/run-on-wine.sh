#!/bin/sh
# Builds these tests as a 64-bit Windows program against the real comctl32 and runs them under
# Wine: what they expect of the wizard and the progress bar must hold on the real platform too.
# (The idle-hook test and the headless display are the Linux build's own.)
# Usage: run-on-wine.sh [build folder]   (default: a fresh temporary folder)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$(mktemp -d)}
mkdir -p "$out"
cxx=x86_64-w64-mingw32-g++-posix
gtest=/usr/src/googletest/googletest
for part in gtest-all gtest_main; do
    [ -f "$out/$part.o" ] || $cxx -std=c++17 -O1 -I$gtest/include -I$gtest -c "$gtest/src/$part.cc" -o "$out/$part.o"
done
x86_64-w64-mingw32-windres -i "$here/wizard_pages.rc" -O coff -o "$out/wizard_pages.o"
$cxx -std=c++17 -O1 -Wall -Wextra -static -I$gtest/include -I"$here" -o "$out/comctl32_test.exe" \
    "$here"/dialog_builder.cpp "$here"/wizard_driver.cpp "$here"/progress_test.cpp \
    "$here"/wizard_frame_test.cpp "$here"/wizard_navigation_test.cpp \
    "$out/gtest-all.o" "$out/gtest_main.o" "$out/wizard_pages.o" -lcomctl32 -luser32
xvfb-run -a env WINEDEBUG=-all wine "$out/comctl32_test.exe" "--gtest_output=xml:$out/result.xml" >"$out/log.txt" 2>&1 || true
grep -E '^\[  (PASSED|FAILED) ' "$out/log.txt" || { cat "$out/log.txt"; exit 1; }
! grep -q '^\[  FAILED' "$out/log.txt"
