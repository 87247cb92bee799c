#!/usr/bin/env bash
# A prefix the Linux program installed into, then used by Wine:
#   linux-first  the Linux program makes the prefix from nothing and installs into it;
#   wine-first   Wine boots the prefix, then the Linux program installs into it.
# In both, Wine lists the game among the installed programs, reads its uninstall key, and loads
# every link through IShellLinkA as written; in the second, Wine's own programs still start.
#
#   prefix-under-wine.sh DRIVER_SO NATIVE_PROGRAM CASE...
set -uo pipefail
if [ $# -lt 3 ]; then
  echo "usage: prefix-under-wine.sh DRIVER_SO NATIVE_PROGRAM CASE..." >&2
  exit 2
fi
driver_so=$1 native_program=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
scenario=$root/tests/scenarios/default-install.scn
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Fernvale Patience Deluxe'
folder='C:\Fernvale Patience\'
# The links of the default installation: where, title, target, arguments.
links=(
  "Desktop|Fernvale Patience Deluxe|fvpat.exe|"
  "Programs|Fernvale Patience Deluxe|fvpat.exe|"
  "Programs/Fernvale Games|FV Patience Deluxe|fvpat.exe|"
  "Programs/Fernvale Games|FV Patience Deluxe Help|fvpat.hlp|"
  "Programs/Fernvale Games|FV Patience Deluxe Readme|notes.doc|"
  "Programs/Fernvale Games|Uninstall FV Patience Deluxe|fvpat.exe|/uninstall"
  "Programs/Fernvale Games|FV Patience Deluxe Order Form|shop.exe|"
  "Programs/Fernvale Games|Bramblecote Studios web page|Bramblecote Studios.URL|"
)

# shellcheck source=scripts/wine-lib.sh
. "$root/scripts/wine-lib.sh"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

linktool=$WINE_RUN_DIR/linktool.exe
"$root/tests/wine-links/build-linktool.sh" "$linktool" || exit 1
wine_start_display || exit 1

install_natively() {
  if ! WINEPREFIX=$1 "$root/tests/scenario/run-scenario.sh" "$driver_so" "$native_program" "$scenario"; then
    fail "$2: the Linux program's installation failed"
    return 1
  fi
}

# The checks under Wine. The first Wine program in a prefix the Linux program made updates it
# (wineboot), hence the longer bound.
wine_uses_installation() {
  local prefix=$1 name=$2 out=$WINE_RUN_DIR/$2.out user
  wine_run "$prefix" 300 uninstaller --list >"$out" 2>&1 || fail "$name: uninstaller --list ended with $?"
  grep -qF 'Fernvale Patience Deluxe' "$out" || { fail "$name: uninstaller --list does not show the game:"; cat "$out" >&2; }

  wine_run "$prefix" 60 reg query "$key" >"$out" 2>&1 || fail "$name: reg query ended with $?"
  tr -d '\r' <"$out" >"$out.lf"
  grep -qE '^ +DisplayName +REG_SZ +Fernvale Patience Deluxe$' "$out.lf" ||
    { fail "$name: DisplayName not read by Wine:"; cat "$out.lf" >&2; }
  grep -qF "\"${folder}\\fvpat.exe\" /uninstall" "$out.lf" ||
    { fail "$name: UninstallString not read by Wine:"; cat "$out.lf" >&2; }

  user=$(basename "$(dirname "$(find "$prefix/drive_c/users" -mindepth 2 -maxdepth 2 -name Desktop | head -1)")")
  local programs="C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"
  local paths=() entry where title target args
  : >"$WINE_RUN_DIR/$name.expected"
  for entry in "${links[@]}"; do
    IFS='|' read -r where title target args <<<"$entry"
    case $where in
      Desktop) paths+=("C:\\users\\$user\\Desktop\\$title.lnk") ;;
      Programs) paths+=("$programs\\$title.lnk") ;;
      *) paths+=("$programs\\${where#Programs/}\\$title.lnk") ;;
    esac
    printf 'link %s\n  target "%s"\n  arguments "%s"\n  workdir "%s"\n  description "%s"\n' \
      "${paths[-1]}" "$folder$target" "$args" "$folder" "$title" >>"$WINE_RUN_DIR/$name.expected"
  done
  # Only the tool's own output is compared: Wine's background services (started by the first
  # program of a session) write their faults to the same standard error.
  wine_run "$prefix" 60 "$(wine_path "$linktool")" read "${paths[@]}" 2>"$WINE_RUN_DIR/$name.links.err" |
    tr -d '\r' >"$WINE_RUN_DIR/$name.links"
  local status=${PIPESTATUS[0]}
  if [ "$status" -ne 0 ] ||
    ! diff -u --label expected --label "read by Wine" "$WINE_RUN_DIR/$name.expected" "$WINE_RUN_DIR/$name.links" >&2; then
    fail "$name: Wine does not read the links as written (linktool ended with $status)"
    cat "$WINE_RUN_DIR/$name.links.err" >&2
  fi
}

for case_name in "$@"; do
  prefix=$WINE_RUN_DIR/$case_name
  case $case_name in
  linux-first)
    install_natively "$prefix" "$case_name" || continue
    wine_uses_installation "$prefix" "$case_name"
    ;;
  wine-first)
    [ -n "$WINE_BASE_PREFIX" ] || wine_boot_prefix || exit 1
    wine_copy_prefix "$prefix" || exit 1
    install_natively "$prefix" "$case_name" || continue
    wine_uses_installation "$prefix" "$case_name"
    wine_run "$prefix" 120 wineboot -u >/dev/null 2>&1 || fail "$case_name: wineboot -u ended with $?"
    out=$(wine_run "$prefix" 60 cmd /c echo still working 2>"$WINE_RUN_DIR/cmd.err" | tr -d '\r')
    [ "$out" = "still working" ] || { fail "$case_name: wine cmd printed \"$out\""; cat "$WINE_RUN_DIR/cmd.err" >&2; }
    ;;
  *)
    echo "prefix-under-wine: unknown case $case_name" >&2
    exit 2
    ;;
  esac
  echo "prefix-under-wine: $case_name checked"
done

if [ "$failures" -ne 0 ]; then
  echo "prefix-under-wine: $failures failure(s)" >&2
  exit 1
fi
