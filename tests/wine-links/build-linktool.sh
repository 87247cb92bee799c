#!/usr/bin/env bash
# Builds linktool as a 64-bit Windows program against Windows' own shell, for Wine.
#   build-linktool.sh OUTPUT_EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
x86_64-w64-mingw32-g++ -std=c++17 -O1 -Wall -Wextra -static -I"$root/install" -I"$root/tests/common" \
  -o "${1:?usage: build-linktool.sh OUTPUT_EXE}" "$root/tests/wine-links/linktool.cpp" \
  "$root/tests/common/link_text.cpp" "$root/install/Shortcuts.cpp" -lole32 -luuid -lshell32
