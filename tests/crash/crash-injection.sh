#!/usr/bin/env bash
# crash-injection.sh NATIVE_BUILD_DIR [EVERY]
# Kills the Linux program at each of its write-type system calls in turn (with EVERY, only at
# every EVERY-th call of each kind, and its last), over the default installation and the
# earlier-settings scenario, in a prefix holding the registry files of a booted Wine prefix.
# After each kill system.reg, user.reg and fvpat.ini must each be the old file or a complete
# new one (tests/crash/check_files.py), and a second installation must then succeed and leave
# no temporary file behind. Wine then reads one registry file of every kind of state found.
# Prints the counts; fails on any broken file or failed second installation.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$1
every=${2:-1}
# shellcheck source=scripts/wine-lib.sh
source "$root/scripts/wine-lib.sh"
# shellcheck source=tests/scenarios/setup-lib.sh
source "$root/tests/scenarios/setup-lib.sh"
# shellcheck source=/dev/null
. "$build/scenario-paths.sh"
work=$WINE_RUN_DIR/crash
mkdir -p "$work"
syscalls=(write pwrite64 writev rename renameat renameat2 unlink unlinkat ftruncate fsync fdatasync
          mkdir mkdirat link linkat symlink symlinkat)
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

wine_boot_prefix || exit 1
booted=$WINE_BASE_PREFIX

run_scenario() { # PREFIX SCENARIO [STRACE ARGS...]: the installation as a scenario drives it
  local prefix=$1 scenario=$2
  shift 2
  # In a shell of its own, whose report of the kill goes nowhere.
  (WINEPREFIX=$prefix LD_PRELOAD=$driver FVP_SCENARIO=$scenario timeout 120 "$@" "$program" >/dev/null 2>&1
   exit $?) 2>/dev/null
}

leftovers() { # PREFIX: temporary files a finished installation must not leave
  find "$1" -maxdepth 1 -name '.reg*.tmp'
  find "$1/drive_c/windows" -maxdepth 1 \( -name '.fvpat.ini.*.tmp' -o -name 'fvpat.ini.new' \)
}

# One system.reg of every kind of state found, for Wine to read at the end.
mkdir -p "$work/kinds"
for name in default-install earlier-settings; do
  scenario=$root/tests/scenarios/$name.scn
  base=$work/$name-base old=$work/$name-old
  mkdir -p "$base" "$old"
  prefix_layout "$base"
  cp "$booted/system.reg" "$booted/user.reg" "$booted/userdef.reg" "$base/"
  [ ! -f "${scenario%.scn}.setup" ] || bash "${scenario%.scn}.setup" "$base" || exit 1
  cp "$base/system.reg" "$base/user.reg" "$old/"
  [ ! -f "$base/drive_c/windows/fvpat.ini" ] || cp "$base/drive_c/windows/fvpat.ini" "$old/"

  # An uninterrupted run: what it writes, and how many write-type calls it makes.
  rm -rf "$work/reference" && cp -a "$base" "$work/reference"
  run_scenario "$work/reference" "$scenario" strace -f -qq -o "$work/calls" \
    -e trace="$(IFS=,; echo "${syscalls[*]}")" || { fail "$name: the uninterrupted run failed"; continue; }
  bash "${scenario%.scn}.check" "$work/reference" >/dev/null || { fail "$name: the uninterrupted run's check"; continue; }
  final_ini=$work/$name-final.ini
  cp "$work/reference/drive_c/windows/fvpat.ini" "$final_ini"
  # The mailing-list page's rename is the run's first: stopped at the second, the settings
  # file is as the page wrote it.
  rm -rf "$work/reference" && cp -a "$base" "$work/reference"
  run_scenario "$work/reference" "$scenario" strace -f -qq -o /dev/null -e trace=rename \
    -e inject=rename:signal=KILL:when=2
  page_ini=$work/$name-page.ini
  cp "$work/reference/drive_c/windows/fvpat.ini" "$page_ini"

  kills=0 missed=0 second_ok=0
  declare -A verdicts=()
  for call in "${syscalls[@]}"; do
    count=$(sed -E 's/^[0-9]+ +//' "$work/calls" | grep -c "^$call(" || true)
    [ "$count" -gt 0 ] || continue
    points=$(seq 1 "$every" "$count"; echo "$count")
    for n in $(sort -nu <<<"$points"); do
      prefix=$work/run
      rm -rf "$prefix" && cp -a "$base" "$prefix"
      if run_scenario "$prefix" "$scenario" strace -f -qq -o /dev/null -e trace="$call" \
        -e inject="$call:signal=KILL:when=$n"; then
        missed=$((missed + 1)) # the run made fewer such calls this time
        continue
      fi
      kills=$((kills + 1))
      report=$(python3 "$here/check_files.py" "$old" "$prefix" "$page_ini" "$final_ini") ||
        fail "$name, $call #$n: $report"
      while read -r file verdict; do
        verdicts["$file $verdict"]=$((${verdicts["$file $verdict"]:-0} + 1))
        kind=$work/kinds/$(tr -c 'A-Za-z0-9.,\n' _ <<<"$verdict")
        [ "$file" != system.reg ] || [ -f "$kind" ] || cp "$prefix/system.reg" "$kind"
      done <<<"$report"
      if run_scenario "$prefix" "$scenario" && bash "${scenario%.scn}.check" "$prefix" >/dev/null; then
        second_ok=$((second_ok + 1))
      else
        fail "$name, $call #$n: the second installation failed"
      fi
      left=$(leftovers "$prefix")
      [ -z "$left" ] || fail "$name, $call #$n: left behind: $left"
    done
  done
  echo "$name: $kills kills ($missed points not reached), $second_ok second installations succeeded"
  for key in "${!verdicts[@]}"; do
    printf '  %-40s %d\n' "$key" "${verdicts[$key]}"
  done | sort
  unset verdicts
done

# Wine reads every kind of system.reg a kill left: its own keys, and the entry where present.
for file in "$work"/kinds/*; do
  [ -f "$file" ] || continue
  key=$(basename "$file")
  prefix=$WINE_RUN_DIR/wine-read
  wine_remove_prefix "$prefix" 2>/dev/null
  wine_copy_prefix "$prefix" || exit 1
  cp "$file" "$prefix/system.reg"
  out=$(wine_run "$prefix" 60 reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v CurrentVersion | tr -d '\r')
  grep -q CurrentVersion <<<"$out" || fail "Wine does not read $key"
  if [[ $key == *DisplayName* ]]; then
    out=$(wine_run "$prefix" 60 reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Fernvale Patience Deluxe' | tr -d '\r')
    grep -q 'Fernvale Patience Deluxe' <<<"$out" || fail "Wine does not see the entry in $key"
  fi
  echo "Wine reads $key"
done
[ "$failures" -eq 0 ]
