#!/bin/sh
# Builds the tree view test as a 64-bit Windows program against the real comctl32 and runs it
# under Wine: what it expects of the Linux build's tree view must hold there too.
# Usage: treeview-on-wine.sh [build folder]   (default: a fresh temporary folder)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$(mktemp -d)}
mkdir -p "$out"
cxx=x86_64-w64-mingw32-g++-posix
gtest=/usr/src/googletest/googletest
for part in gtest-all gtest_main; do
    [ -f "$out/$part.o" ] || $cxx -std=c++17 -O1 -I$gtest/include -I$gtest -c "$gtest/src/$part.cc" -o "$out/$part.o"
done
$cxx -std=c++17 -O1 -Wall -Wextra -static -I$gtest/include -o "$out/treeview_test.exe" "$here/treeview_test.cpp" \
    "$out/gtest-all.o" "$out/gtest_main.o" -lcomctl32 -luser32
xvfb-run -a env WINEDEBUG=-all wine "$out/treeview_test.exe" >"$out/log.txt" 2>&1 || true
grep -E '^\[  (PASSED|FAILED) ' "$out/log.txt" || { cat "$out/log.txt"; exit 1; }
! grep -q '^\[  FAILED' "$out/log.txt"
