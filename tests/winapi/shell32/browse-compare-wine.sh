#!/bin/bash
# Runs browse_probe from the Linux build and the same source built for Windows under Wine, in
# prefixes whose drive D: is the same host folder, and compares what they print: the dialog's
# controls, the drives, D:'s folders, and for each choice the path and the item id list (its
# dates come from that one folder, so they agree too).
# Usage: browse-compare-wine.sh LINUX_BUILD_DIR   (where the browse_probe target was built)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: browse-compare-wine.sh LINUX_BUILD_DIR}
probe=$(find "$build" -name browse_probe -type f -perm -u+x | head -n 1)
[ -n "$probe" ] || { echo "no browse_probe under $build" >&2; exit 1; }
source "$here/../../../scripts/wine-lib.sh"

dd=$WINE_RUN_DIR/d
mkdir -p "$dd/Games" "$dd/apps/tools" "$dd/Zeta" "$dd/beta" "$dd/.hidden"
echo "not a folder" >"$dd/file.txt"

linux=$WINE_RUN_DIR/linux-prefix
mkdir -p "$linux/dosdevices" "$linux/drive_c/windows"
ln -s ../drive_c "$linux/dosdevices/c:"
ln -s / "$linux/dosdevices/z:"
ln -s "$dd" "$linux/dosdevices/d:"

x86_64-w64-mingw32-g++ -std=c++17 -O1 -static -o "$WINE_RUN_DIR/browse_probe.exe" "$here/browse_probe.cpp" \
    -lshell32 -lcomctl32 -lole32 -luser32
wine_start_display
wine_boot_prefix
windows=$WINE_RUN_DIR/wine-prefix
wine_copy_prefix "$windows"
ln -s "$dd" "$windows/dosdevices/d:"

status=0
for choice in "My Computer/ (D:)/Games" "My Computer/ (D:)/apps/tools" "My Computer/ (D:)" "My Computer" ""; do
    WINEPREFIX=$linux timeout 20 "$probe" "$choice" >"$WINE_RUN_DIR/linux.txt"
    wine_run "$windows" 60 "$WINE_RUN_DIR/browse_probe.exe" "$choice" 2>/dev/null | tr -d '\r' >"$WINE_RUN_DIR/wine.txt"
    if diff -u --label "Linux build: '$choice'" --label "Wine: '$choice'" "$WINE_RUN_DIR/linux.txt" "$WINE_RUN_DIR/wine.txt"; then
        echo "same: '$choice'"
    else
        status=1
    fi
done
exit $status
