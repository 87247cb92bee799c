#!/usr/bin/env bash
# The prefix dump on prefixes written by hand, without Wine: the forms our own platform
# layer may write (names in other cases, quoted uninstall command, ANSI links without an
# item id list, registry escapes and wrapped binary values, odd line ends) must come out
# in the one canonical form.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
dump=$root/scripts/prefix-dump
work=$(mktemp -d --suffix=.fvp-dump-test)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }
zeros() { printf '\\x00%.0s' $(seq "$1"); }
# ANSI StringData entry: count, then the characters without a NUL.
ansi_string() { le16 ${#1}; printf "%s" "${1//\\/\\\\}"; }

# A link as a program other than Wine may save it: no item id list, LinkInfo with a
# local base path, ANSI strings.
write_ansi_link() {
  local base='D:\Games\fvpat.exe'
  local info_size=$((0x1c + 0x11 + ${#base} + 1 + 1))
  {
    le32 0x4c
    printf '\\x01\\x14\\x02\\x00\\x00\\x00\\x00\\x00\\xc0\\x00\\x00\\x00\\x00\\x00\\x00\\x46'
    le32 0x36; zeros 36; le32 1; zeros 12
    le32 "$info_size"; le32 0x1c; le32 1; le32 0x1c; le32 $((0x1c + 0x11)); le32 0
    le32 $((0x1c + 0x11 + ${#base} + 1))
    le32 0x11; le32 3; le32 0; le32 0x10; zeros 1
    printf '%s' "${base//\\/\\\\}"; zeros 1; zeros 1
    ansi_string "Game"; ansi_string 'D:\Games\'; ansi_string "-x"
    zeros 4
  } >"$1.escaped"
  printf '%b' "$(cat "$1.escaped")" >"$1"
  rm -f "$1.escaped"
}

# --- One prefix with every part present in some unusual form.
p=$work/prefix
mkdir -p "$p/drive_c/windows" "$p/drive_c/users/Public/Temp" "$p/drive_c/users/alice/Temp" \
  "$p/drive_c/users/alice/Desktop" "$p/drive_c/users/bob" "$p/dosdevices" \
  "$p/drive_c/games/fern dir/sub/deep" "$work/d-drive/Games"
ln -s ../drive_c "$p/dosdevices/c:"
ln -s "$work/d-drive" "$p/dosdevices/d:"
printf 'abc' >"$p/drive_c/games/fern dir/fvpat.exe"
: >"$p/drive_c/games/fern dir/sub/empty.txt"
printf 'abc' >"$p/drive_c/users/alice/Temp/SEED.RND"
printf 'abc' >"$p/drive_c/users/alice/Temp/other.txt"
printf 'abc' >"$p/drive_c/users/Public/Temp/seed.rnd"
printf 'game' >"$work/d-drive/Games/fvpat.exe"
printf '[Window]\r\nx=5\n\r\nName=Caf\xe9\rZ\r\nlast' >"$p/drive_c/windows/FVPAT.INI"
write_ansi_link "$p/drive_c/users/alice/Desktop/Fernvale Patience Deluxe.lnk"
head -c 100 "$p/drive_c/users/alice/Desktop/Fernvale Patience Deluxe.lnk" >"$p/drive_c/users/alice/Desktop/Broken.lnk"
printf 'not a link' >"$p/drive_c/users/alice/Desktop/notes.txt"
# A link exactly as Wine 8 saves it through IShellLinkA, with an item id list.
group="$p/drive_c/users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Games"
mkdir -p "$group"
cp "$root/tests/wine/fixtures/wine8-uninstall.lnk" "$group/Uninstall FV Patience Deluxe.lnk"
cat >"$p/system.reg" <<'EOF'
WINE REGISTRY Version 2
;; All keys relative to REGISTRY\\Machine

#arch=win64

[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Fernvale Patience Deluxe 2] 1700000000
"DisplayName"="Another product"

[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\fernvale patience deluxe] 1700000001
#time=1d9c0e7a1a2b3c4
"UninstallString"="\"C:\\Games\\Fern Dir\\fvpat.exe\" /uninstall"
"DisplayName"="Fernvale \"Deluxe\"\n"
@="default"
"Blob"=hex:01,02,AB,\
  cd,ef
"Path"=str(2):"%TEMP%\\x"
"Count"=dword:0000002A

[SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\fernvale patience deluxe\\Sub] 1700000002
#time=1d9c0e7a1a2b3c5
"Caf\x00e9"="x"

[Software\\Other] 1700000003
"UninstallString"="C:\\Wrong\\\\fvpat.exe /uninstall"
EOF

cat >"$work/expected.dump" <<'EOF'
prefix-dump 1
install-folder "C:\Games\Fern Dir\" from uninstall-key
folder "games/fern dir"
file "games/fern dir/fvpat.exe" size=3 adler32=024d0127
dir "games/fern dir/sub"
dir "games/fern dir/sub/deep"
file "games/fern dir/sub/empty.txt" size=0 adler32=00000001
temp-folder "users/alice/Temp"
temp "blurb.diz" absent
temp "Bramblecote Studios.url" absent
temp "core.gob" absent
temp "fvp_1.mid" absent
temp "fvp_2.mid" absent
temp "fvp_3.mid" absent
temp "fvp_voyage.mid" absent
temp "fvpat.exe" absent
temp "fvpat.hlp" absent
temp "large.dck" absent
temp "mystic.dck" absent
temp "notes.doc" absent
temp "plain.dck" absent
temp "rune32c.dll" absent
temp "SEED.RND" size=3 adler32=024d0127
temp "shop.exe" absent
temp "shop.gob" absent
temp "terms.doc" absent
temp "texts.dat" absent
temp "tunes.txt" absent
temp "tunes_dir.txt" absent
temp-folder "users/bob/Temp" absent
ini "windows/FVPAT.INI" size=33
ini-line "[Window]" \r\n
ini-line "x=5" \n
ini-line "" \r\n
ini-line "Name=Caf\xe9\x0dZ" \r\n
ini-line "last" no line end
key "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\fernvale patience deluxe"
value "Blob" hex 01,02,ab,cd,ef
value "Count" dword 0000002a
value "DisplayName" sz "Fernvale "Deluxe"\u000a"
value "Path" expand_sz "%TEMP%\x"
value "UninstallString" sz ""C:\Games\Fern Dir\fvpat.exe" /uninstall"
value @ sz "default"
key "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\fernvale patience deluxe\Sub"
value "Caf\u00e9" sz "x"
link-folder "users/alice/Desktop"
link "users/alice/Desktop/Broken.lnk" unreadable: LinkInfo too short
link "users/alice/Desktop/Fernvale Patience Deluxe.lnk"
  target "D:\Games\fvpat.exe"
  idlist none
  arguments "-x"
  workdir "D:\Games\"
  description "Game"
  encoding ansi
link-folder "users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
link "users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Patience Deluxe.lnk" absent
link-folder "users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Games"
link "users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Games/Bramblecote Studios web page.lnk" absent
link "users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Games/FV Patience Deluxe Help.lnk" absent
link "users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Games/FV Patience Deluxe Order Form.lnk" absent
link "users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Games/FV Patience Deluxe Readme.lnk" absent
link "users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Games/FV Patience Deluxe.lnk" absent
link "users/alice/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Games/Uninstall FV Patience Deluxe.lnk"
  target "C:\X\fvpat.exe"
  idlist "C:\X\fvpat.exe"
  arguments "/uninstall"
  workdir "C:\X\"
  description "Uninstall FV Patience Deluxe"
  encoding unicode
link-folder "users/bob/Desktop" absent
link-folder "users/bob/AppData/Roaming/Microsoft/Windows/Start Menu/Programs" absent
link-folder "users/bob/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Fernvale Games" absent
EOF
"$dump" "$p" >"$work/actual.dump" || fail "dump of the hand-made prefix ended with $?"
diff -u "$work/expected.dump" "$work/actual.dump" || fail "dump of the hand-made prefix"

# --- Where the install folder comes from: table of system.reg value, fvpat.ini, option.
check_folder() {
  local name=$1 reg_value=$2 ini=$3 option=$4 expected=$5 q=$work/$1 args=()
  mkdir -p "$q/drive_c/windows"
  if [ -n "$reg_value" ]; then
    printf 'WINE REGISTRY Version 2\n\n[%s] 1\n"UninstallString"="%s"\n' \
      'Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Fernvale Patience Deluxe' "$reg_value" >"$q/system.reg"
  fi
  [ -n "$ini" ] && printf '%b' "$ini" >"$q/drive_c/windows/fvpat.ini"
  [ -n "$option" ] && args=(--install-folder "$option")
  local line
  line=$("$dump" "${args[@]}" "$q" | sed -n 2p)
  [ "$line" = "$expected" ] || fail "$name: expected [$expected], got [$line]"
}
check_folder plain-command 'C:\\Games\\Patience\\\\fvpat.exe /uninstall' '' '' \
  'install-folder "C:\Games\Patience\" from uninstall-key'
check_folder key-before-ini 'C:\\A\\\\FVPAT.EXE /uninstall' '[install]\r\ninstall_path=C:\\B\\\r\n' '' \
  'install-folder "C:\A\" from uninstall-key'
check_folder ini-only '' '[Window]\r\n[INSTALL]\r\n Install_Path = "C:\\Ini Dir\\" \r\n' '' \
  'install-folder "C:\Ini Dir\" from fvpat.ini'
check_folder ini-other-section '' '[Net News]\r\ninstall_path=C:\\No\\\r\n' '' \
  'install-folder "C:\Fernvale Patience\" from default'
check_folder command-without-program 'C:\\Games\\other.exe' '' '' \
  'install-folder "C:\Fernvale Patience\" from default'
check_folder option-wins 'C:\\A\\\\fvpat.exe /uninstall' '' 'C:\Forced\' \
  'install-folder "C:\Forced\" from option'

# --- Another drive, through dosdevices, when the folder is given.
"$dump" --install-folder 'D:\Games\' "$p" | sed -n 3,4p >"$work/d.dump"
printf '%s\n' 'folder "D:/Games"' 'file "D:/Games/fvpat.exe" size=4 adler32=0402019b' | diff -u - "$work/d.dump" ||
  fail "install folder on drive D:"

# --- A folder that is not a prefix, and a bad command line.
"$dump" "$work/d-drive" >/dev/null 2>&1
[ $? -eq 2 ] || fail "a folder without drive_c was dumped"
"$dump" --bogus "$p" >/dev/null 2>&1
[ $? -eq 2 ] || fail "an unknown option was accepted"

if [ "$failures" -ne 0 ]; then
  echo "prefix-dump-test: $failures failure(s)" >&2
  exit 1
fi
echo "prefix-dump-test: all passed"
