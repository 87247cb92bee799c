#!/usr/bin/env bash
# The links of the Linux build against Wine's. The same table of links (cases.txt) is made
# by linktool built over our winapi in one copy of a booted Wine prefix and by linktool.exe
# under Wine in another; then:
#   - the prefix dumps of the two copies are equal,
#   - each pair of link files is equal byte for byte (folder access times aside),
#   - Wine loads the links we wrote and gives back what was set, as it does for its own,
#   - our IPersistFile::Load reads Wine's links the same way.
# Usage: links-test.sh NATIVE_LINKTOOL
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
native=${1:?usage: links-test.sh NATIVE_LINKTOOL}
cases=$here/cases.txt
# shellcheck source=scripts/wine-lib.sh
source "$root/scripts/wine-lib.sh"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
expect_same() {
  if ! diff -u "$2" "$3" >"$WINE_RUN_DIR/diff.txt"; then
    fail "$1:"
    cat "$WINE_RUN_DIR/diff.txt" >&2
  fi
}

exe=$WINE_RUN_DIR/linktool.exe
"$here/build-linktool.sh" "$exe" || exit 1
"$root/scripts/prefix-dump" >/dev/null 2>&1  # builds the dump tool

wine_start_display || exit 1
wine_boot_prefix || exit 1
user=$(basename "$(find "$WINE_BASE_PREFIX/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public | head -1)")

# The installed files the links point to, with the same times in both copies.
lay_out_install() {
  local folder="$1/drive_c/Games/Fern Patience" name
  mkdir -p "$folder"
  for name in fvpat.exe fvpat.hlp notes.doc shop.exe "Bramblecote Studios.url"; do
    printf '%s\n' "$name" >"$folder/$name"
  done
  touch -d '2024-03-05 06:07:08' "$folder"/* "$folder" "$1/drive_c/Games"
}
native_prefix=$WINE_RUN_DIR/native
wine_prefix=$WINE_RUN_DIR/wine
for prefix in "$native_prefix" "$wine_prefix"; do
  wine_copy_prefix "$prefix" || exit 1
  lay_out_install "$prefix"
done

WINEPREFIX=$native_prefix "$native" write "$cases" || fail "linktool write ended with $?"
wine_run "$wine_prefix" 120 "$exe" write "$(wine_path "$cases")" || fail "linktool.exe write ended with $?"

# Where each case's link is (Windows path, ANSI) and what reading it back must give.
programs="C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"
links=()
: >"$WINE_RUN_DIR/expected.txt"
while IFS='|' read -r kind a b c d e; do
  case $kind in
    desktop) link="C:\\users\\$user\\Desktop\\$a.lnk"; title=$a target=$b workdir=$c args=$d ;;
    programs) link="$programs\\${a:+$a\\}$b.lnk"; title=$b target=$c workdir=$d args=$e ;;
    *) continue ;;
  esac
  links+=("$link")
  printf '  target "%s"\n  arguments "%s"\n  workdir "%s"\n  description "%s"\n' \
    "$target" "$args" "$workdir" "$title" >>"$WINE_RUN_DIR/expected.txt"
done <"$cases"

# Host path of a link in a prefix; Wine takes it through Z: in UTF-8, as a Linux program would.
host_link() {
  local rest=${2#C:\\}
  printf '%s/drive_c/%s' "$1" "$(printf '%s' "${rest//\\//}" | iconv -f CP1252 -t UTF-8)"
}

# --- The two prefixes hold the same links.
"$root/scripts/prefix-dump" "$native_prefix" >"$WINE_RUN_DIR/native.dump"
"$root/scripts/prefix-dump" "$wine_prefix" >"$WINE_RUN_DIR/wine.dump"
expect_same "dump of the links written on Linux against those written by Wine" \
  "$WINE_RUN_DIR/wine.dump" "$WINE_RUN_DIR/native.dump"
[ "$(grep -c '^link "' "$WINE_RUN_DIR/wine.dump")" -ge 9 ] || fail "Wine's prefix dump shows too few links"

# --- Byte for byte.
for link in "${links[@]}"; do
  ours=$(host_link "$native_prefix" "$link")
  wines=$(host_link "$wine_prefix" "$link")
  if [ ! -f "$ours" ] || [ ! -f "$wines" ]; then
    fail "$link: missing (Linux: $([ -f "$ours" ] && echo present || echo absent), Wine: $([ -f "$wines" ] && echo present || echo absent))"
    continue
  fi
  "$native" bytes "$wines" >"$WINE_RUN_DIR/bytes.wine"
  "$native" bytes "$ours" >"$WINE_RUN_DIR/bytes.native"
  expect_same "bytes of $link (Wine's, then ours)" "$WINE_RUN_DIR/bytes.wine" "$WINE_RUN_DIR/bytes.native"
done

# --- Read back: Wine loads ours and its own; we load Wine's.
read_under_wine() {
  local prefix=$1 paths=() link
  for link in "${links[@]}"; do
    paths+=("$(wine_path "$(host_link "$prefix" "$link")")")
  done
  wine_run "$prefix" 120 "$exe" read "${paths[@]}" | tr -d '\r' | grep -av '^link '
}
read_under_wine "$native_prefix" >"$WINE_RUN_DIR/wine-reads-ours.txt"
expect_same "Wine reading the links written on Linux" "$WINE_RUN_DIR/expected.txt" "$WINE_RUN_DIR/wine-reads-ours.txt"
read_under_wine "$wine_prefix" >"$WINE_RUN_DIR/wine-reads-wines.txt"
expect_same "Wine reading its own links" "$WINE_RUN_DIR/expected.txt" "$WINE_RUN_DIR/wine-reads-wines.txt"
WINEPREFIX=$wine_prefix "$native" read "${links[@]}" | grep -av '^link ' >"$WINE_RUN_DIR/ours-reads-wines.txt"
expect_same "our Load reading Wine's links" "$WINE_RUN_DIR/expected.txt" "$WINE_RUN_DIR/ours-reads-wines.txt"

if [ "$failures" -ne 0 ]; then
  echo "links-test: $failures failure(s)" >&2
  exit 1
fi
echo "links-test: ${#links[@]} links equal on Linux and under Wine"
