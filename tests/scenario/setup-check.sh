# Sourced by the scenario scripts: what may stand beside a scenario file (its setup and check
# scripts, and the program it runs).
#
#   scenario_setup SCENARIO PREFIX   runs NAME.setup PREFIX, when there is one, before the run
#   scenario_check SCENARIO PREFIX   runs NAME.check PREFIX, when there is one, after the run
#
# Both return 0 when there is no such script or it succeeded, else 1 with a line saying so.
#
#   scenario_variant SCENARIO        prints the variant NAME.program names, or nothing
#   scenario_program SCENARIO PATHS  prints the setup program the scenario runs: `program` of
#                                    the build's scenario-paths.sh PATHS, or program_VARIANT
#                                    for its variant
_scenario_hook() {
  local scenario=$1 prefix=$2 kind=$3 script status
  script=${scenario%.scn}.$kind
  [ -f "$script" ] || return 0
  bash "$script" "$prefix"
  status=$?
  [ "$status" -eq 0 ] && return 0
  echo "scenario $(basename "$scenario"): $(basename "$script") ended with status $status" >&2
  return 1
}

scenario_setup() {
  _scenario_hook "$1" "$2" setup
}

scenario_check() {
  _scenario_hook "$1" "$2" check
}

scenario_variant() {
  local variant=
  [ -f "${1%.scn}.program" ] && read -r variant <"${1%.scn}.program"
  printf '%s\n' "$variant"
}

scenario_program() {
  local variant key
  variant=$(scenario_variant "$1")
  key=program${variant:+_$variant}
  (
    # shellcheck source=/dev/null
    . "$2"
    printf '%s\n' "${!key:?no $key in $2}"
  )
}
