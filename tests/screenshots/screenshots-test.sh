#!/usr/bin/env bash
# The pictures of the wizard under Wine: eight, one per page, each of the wizard's size, and
# each page's picture unlike the one before it.
#
#   screenshots-test.sh WINDOWS_BUILD_DIR     (the mingw-x86_64 build)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=/dev/null
. "$1/scenario-paths.sh" || exit 1
out=$(mktemp -d "${TMPDIR:-/tmp}/fvp-screenshots.XXXXXX")
trap 'rm -rf "$out"' EXIT
"$here/take-screenshots.sh" "$program" "$out" || exit 1

failures=0
first_size=$(identify -format '%wx%h' "$out/page-1.png" 2>/dev/null)
for n in 1 2 3 4 5 6 7 8; do
  size=$(identify -format '%wx%h' "$out/page-$n.png" 2>/dev/null)
  if [ -z "$size" ] || [ "$size" != "$first_size" ]; then
    echo "FAIL: page-$n.png is ${size:-not a picture}, page-1.png $first_size" >&2
    failures=$((failures + 1))
  elif [ "$n" -gt 1 ] &&
       [ "$(compare -metric AE "$out/page-$((n - 1)).png" "$out/page-$n.png" null: 2>&1)" = 0 ]; then
    echo "FAIL: page-$n.png shows the same as page-$((n - 1)).png" >&2
    failures=$((failures + 1))
  fi
done
[ "${first_size%x*}" -ge 300 ] 2>/dev/null || { echo "FAIL: the wizard is $first_size" >&2; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "screenshots: eight pages of $first_size"
