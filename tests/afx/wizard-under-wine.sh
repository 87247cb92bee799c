#!/usr/bin/env bash
# The wizard program against Windows' own property sheet: cross-built with mingw-w64 and
# run under Wine on a virtual display. Exits with the program's status.
#   wizard-under-wine.sh BUILD_DIR
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:?usage: wizard-under-wine.sh BUILD_DIR}
# shellcheck source=scripts/wine-lib.sh
source "$root/scripts/wine-lib.sh"

cmake -S "$root/tests/afx/wine" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake" >/dev/null || exit 1
cmake --build "$build" --target afx_wizard_test -j2 >/dev/null || exit 1

wine_start_display || exit 1
wine_boot_prefix || exit 1
prefix=$WINE_RUN_DIR/prefix
wine_copy_prefix "$prefix" || exit 1
wine_run "$prefix" 120 "$build/tests-afx/afx_wizard_test.exe"
