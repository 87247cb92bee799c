#!/usr/bin/env bash
# The mailing-list page through the real program: each case starts from a settings file (or
# none), runs a scenario that leaves the wizard before copying, and compares the file the page
# wrote byte for byte.
# usage: email-page.sh DRIVER_SO PROGRAM
set -euo pipefail
driver=$1 program=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# run_case NAME SCENARIO BEFORE EXPECTED: BEFORE and EXPECTED are printf formats ("" for none).
run_case() {
  local name=$1 scenario=$2 before=$3 expected=$4
  export WINEPREFIX=$work/$name
  mkdir -p "$WINEPREFIX/drive_c/windows"
  local ini=$WINEPREFIX/drive_c/windows/fvpat.ini
  [ -z "$before" ] || printf "$before" > "$ini"
  if ! timeout 60 env LD_PRELOAD="$driver" FVP_SCENARIO="$here/email/$scenario" "$program"; then
    echo "FAILED: $name: scenario"
    failures=$((failures + 1))
    return
  fi
  if ! cmp -s "$ini" <(printf "$expected"); then
    echo "FAILED: $name: fvpat.ini differs"
    echo "  expected: $(printf "$expected" | od -c | head -20)"
    echo "  written:  $(od -c "$ini" | head -20)"
    failures=$((failures + 1))
    return
  fi
  echo "ok: $name"
}

page_file() { # PREVVER NAME EMAIL [USERID]
  local user_line=""
  [ -z "${4:-}" ] || user_line="UserID=$4\r\n"
  echo "[Window]\r\n\r\n[Install]\r\nPrevVer=$1\r\n\r\n[Net News]\r\nName=$2\r\nEMail=$3\r\n${user_line}\r\n"
}

run_case first-installation first-installation.scn "" "$(page_file 0 "" "")"
run_case x-marks-earlier earlier-installation.scn \
  "[Window]\r\nx=12\r\ny=40\r\n[Net News]\r\nName=Ann Example\r\nEMail=ann@example.org\r\nUserID=u-77\r\n" \
  "$(page_file 1 "Ann Example" "ann@example.org" u-77)"
run_case prevver-kept earlier-installation.scn \
  "[Install]\r\nPrevVer=7\r\n[Net News]\r\nName=Ann Example\r\nEMail=ann@example.org\r\n" \
  "$(page_file 7 "Ann Example" "ann@example.org")"
run_case x-at-sentinel-is-absent earlier-installation.scn \
  "[Window]\r\nx=-1000\r\n[Net News]\r\nName=Ann Example\r\nEMail=ann@example.org\r\nUserID=u-77\r\n" \
  "$(page_file 0 "Ann Example" "ann@example.org")"
run_case address-rule address-rule.scn "" "$(page_file 0 "Bob" "@.")"
run_case back-rereads back-rereads.scn \
  "[Net News]\r\nName=Ann Example\r\nEMail=\r\n" \
  "[Net News]\r\nName=Ann Example\r\nEMail=\r\n"

[ "$failures" -eq 0 ]
