# Shared by the scenario checks: assertions on a prefix after a run. Each failed assertion is
# printed; finish exits non-zero when any failed.
checks_failed=0
payload_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../res/payload" && pwd)

fail() {
  echo "check failed: $*"
  checks_failed=1
}

# expect_installed_files FOLDER: the 21 payload files, byte for byte.
expect_installed_files() {
  local folder=$1 file
  for file in "$payload_dir"/*; do
    cmp -s "$file" "$folder/$(basename "$file")" ||
      fail "$(basename "$file") is not installed as in res/payload"
  done
}

# expect_line TEXT LINE: TEXT holds LINE as a whole line.
expect_line() {
  grep -qxF -- "$2" <<<"$1" || fail "missing line: $2"
}

# expect_no_line TEXT LINE
expect_no_line() {
  ! grep -qxF -- "$2" <<<"$1" || fail "unexpected line: $2"
}

finish() {
  exit "$checks_failed"
}
