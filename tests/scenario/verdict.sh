# Sourced by the scenario scripts: judges one driver run.
#
#   scenario_verdict SCENARIO STATUS OUTPUT_FILE [EXPECTED_REPORT_FILE]
#
# Without an expected report the run must have passed (status 0). With one it must have failed
# (status 1) with a report that contains that file's text. Prints why not; returns 0 or 1.
scenario_verdict() {
  local scenario=$1 status=$2 output=$3 expected_file=${4:-} expected
  if [ -z "$expected_file" ]; then
    case $status in
      0) return 0 ;;
      1|2) ;;
      124|137) echo "scenario $scenario: the run did not end in time" >&2 ;;
      *) echo "scenario $scenario: the run ended with status $status instead of a verdict" >&2 ;;
    esac
    return 1
  fi
  expected=$(cat "$expected_file")
  if [ "$status" -ne 1 ]; then
    echo "scenario $scenario: expected it to fail (status 1), got status $status" >&2
    return 1
  fi
  if [[ "$(cat "$output")" != *"$expected"* ]]; then
    printf 'scenario %s: expected the report\n%s\n' "$scenario" "$expected" >&2
    return 1
  fi
  return 0
}
