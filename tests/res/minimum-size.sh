#!/usr/bin/env bash
# FVP_MIN_PROGRAM_SIZE against the payload. Configured around the small payload, a build stops
# with an error naming the payload's packed size, the minimum and the variable; with the
# minimum set to the size of a program around that payload, it configures. After linking, a
# program below the minimum fails the build's size check and one of the minimum's size passes.
#
#   minimum-size.sh CMAKE GENERATOR SOURCE_DIR SMALL_STREAMS_DIR SMALL_PROGRAM
#
# SMALL_STREAMS_DIR holds the small payload's packed streams (NAME.z), SMALL_PROGRAM is the
# setup program around them.
set -euo pipefail
cmake=$1 generator=$2 source=$3 streams=$4 program=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
# one_line FILE: the file's text with its line breaks and indents as single blanks.
one_line() {
  tr -s ' \n' ' ' <"$1"
}
# expect_parts WHAT LOG PART...: the error in LOG holds every PART.
expect_parts() {
  local what=$1 message part
  message=$(one_line "$2")
  shift 2
  for part in "$@"; do
    [[ $message == *"$part"* ]] || fail "$what lacks \"$part\": $message"
  done
}

payload=$source/tests/res/payload-small
packed=$(cat "$streams"/*.z | wc -c)
size=$(stat -c %s "$program")

if "$cmake" -S "$source" -B "$work/tree" -G "$generator" -DFVP_PAYLOAD_DIR="$payload" \
    >"$work/refused.log" 2>&1; then
  fail "configured around a payload of $packed packed bytes with the minimum left at its default"
else
  expect_parts "the configure error" "$work/refused.log" \
    "The payload in $payload packs to about $packed bytes" "FVP_MIN_PROGRAM_SIZE, 2800000 bytes"
fi
if ! "$cmake" -S "$source" -B "$work/tree" -G "$generator" -DFVP_PAYLOAD_DIR="$payload" \
    -DFVP_MIN_PROGRAM_SIZE="$size" >"$work/lowered.log" 2>&1; then
  fail "refused with FVP_MIN_PROGRAM_SIZE=$size, the size of a program around the payload: $(one_line "$work/lowered.log")"
fi

cp "$program" "$work/fvpsetup"
check_size() {
  "$cmake" -DPROGRAM="$work/fvpsetup" -DMINIMUM="$1" -DPACKED_DIR="$streams" \
    -P "$source/cmake/check-program-size.cmake" >"$work/check.log" 2>&1
}
if check_size $((size + 1)); then
  fail "a program of $size bytes passed the check for $((size + 1))"
else
  expect_parts "the size check's error" "$work/check.log" \
    "fvpsetup is $size bytes, $packed of them its packed payload" "FVP_MIN_PROGRAM_SIZE, $((size + 1)) bytes"
fi
check_size "$size" || fail "a program of $size bytes failed the check for $size: $(one_line "$work/check.log")"

[ "$failures" -eq 0 ]
