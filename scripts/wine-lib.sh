# shellcheck shell=bash
# Wine in the test run: a virtual X server, one booted 64-bit prefix per run copied for
# each case, bounded waits, and cleanup by process id whatever happens.
# Source it from bash (set -e and pipefail in the caller are fine); it sets an EXIT trap
# (add your own cleanup with wine_at_exit).
#
#   wine_start_display            Xvfb on a free display; exports DISPLAY
#   wine_boot_prefix              boots the run's prefix once; sets WINE_BASE_PREFIX
#   wine_copy_prefix DEST         copies the booted prefix to DEST (new folder)
#   wine_remove_prefix PREFIX     stops PREFIX's processes and removes it (copies are big)
#   wine_run PREFIX SECS CMD...   runs `wine CMD...` in PREFIX, bounded; returns its code
#   wine_wait_idle PREFIX [SECS]  waits until PREFIX's wineserver has ended
#   wine_screenshot FILE [TITLE]  PNG of the screen, or of the window with that title
#   wine_run_scenario PREFIX DRIVER_EXE SETUP_EXE SCENARIO_FILE [SECS]
#   wine_poll SECS CMD...         runs CMD every 50 ms until it succeeds; 1 after SECS
#   wine_path PATH                prints a Linux path as Wine sees it (Z:\...)
#   wine_at_exit CMD...           runs CMD at exit, before the Wine cleanup
#
# Variables: WINE_RUN_DIR (this run's scratch folder, removed at exit unless
# WINE_KEEP_RUN_DIR=1), WINE_BASE_PREFIX.

# Keep Wine quiet: no debug channels, no Mono or Gecko installers, no menu builder.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

WINE_RUN_DIR=${WINE_RUN_DIR:-$(mktemp -d --suffix=.fvp-wine)}
WINE_BASE_PREFIX=""
_wine_xvfb_pid=""
_wine_prefixes=()
_wine_exit_cmds=()

wine_at_exit() {
  local quoted
  printf -v quoted '%q ' "$@"
  _wine_exit_cmds+=("$quoted")
}

_wine_cleanup() {
  local status=$? cmd prefix
  local -
  set +e
  for cmd in "${_wine_exit_cmds[@]}"; do
    eval "$cmd" || true
  done
  for prefix in "${_wine_prefixes[@]}"; do
    if [ -d "$prefix" ]; then
      WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
      WINEPREFIX=$prefix timeout 20 wineserver -w >/dev/null 2>&1
    fi
  done
  if [ -n "$_wine_xvfb_pid" ]; then
    kill "$_wine_xvfb_pid" 2>/dev/null
    wait "$_wine_xvfb_pid" 2>/dev/null
  fi
  if [ "${WINE_KEEP_RUN_DIR:-0}" != 1 ]; then
    rm -rf "$WINE_RUN_DIR"
  fi
  return "$status"
}
trap _wine_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Polls CMD every 50 ms until it succeeds or SECS have passed; returns 0 when it held.
wine_poll() {
  local secs=$1 tries
  shift
  tries=$((secs * 20))
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    sleep 0.05
    tries=$((tries - 1))
  done
  return 1
}

_wine_display_up() {
  [ -S "/tmp/.X11-unix/X$1" ] && xdpyinfo -display ":$1" >/dev/null 2>&1
}

_wine_process_gone() {
  ! kill -0 "$1" 2>/dev/null
}

_wine_display_up_or_dead() {
  _wine_display_up "$1" || _wine_process_gone "$2"
}

wine_start_display() {
  local n
  local -
  set +e
  for n in $(seq 90 189); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$WINE_RUN_DIR/xvfb-$n.log" 2>&1 &
    _wine_xvfb_pid=$!
    # The display must be ours: a test started at the same moment may have won the number,
    # and then its server answers while ours has died.
    if wine_poll 10 _wine_display_up_or_dead "$n" "$_wine_xvfb_pid" && _wine_display_up "$n" &&
      kill -0 "$_wine_xvfb_pid" 2>/dev/null &&
      [ "$(tr -d ' ' <"/tmp/.X$n-lock" 2>/dev/null)" = "$_wine_xvfb_pid" ]; then
      export DISPLAY=":$n"
      return 0
    fi
    # Another process took the number between our look and Xvfb's start: try the next.
    kill "$_wine_xvfb_pid" 2>/dev/null
    wait "$_wine_xvfb_pid" 2>/dev/null
    _wine_xvfb_pid=""
  done
  echo "wine-lib: no free X display for Xvfb" >&2
  return 1
}

wine_wait_idle() {
  local prefix=$1 secs=${2:-60}
  if ! WINEPREFIX=$prefix timeout "$secs" wineserver -w; then
    echo "wine-lib: wineserver of $prefix still running after $secs s" >&2
    return 1
  fi
}

# Wine links the user's Desktop, Documents... to the Linux home folder. Made real
# folders, every copy of the prefix keeps its links to itself and the home stays clean.
_wine_unlink_home_folders() {
  local link
  for link in "$1"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      rm -f "$link" && mkdir "$link" || return 1
    fi
  done
}

# Debian's Wine does not look in the folder where fonts-wine puts Wine's own fonts
# (Marlett draws the caption buttons, Tahoma and MS Sans Serif the dialogs); linked into
# C:\windows\Fonts they are found, and windows look as they do on Windows.
_wine_add_own_fonts() {
  local font fonts=/usr/share/wine/fonts
  [ -d "$fonts" ] || return 0
  for font in "$fonts"/*.ttf; do
    [ -e "$1/drive_c/windows/Fonts/${font##*/}" ] || ln -s "$font" "$1/drive_c/windows/Fonts/" || return 1
  done
}

wine_boot_prefix() {
  local prefix=$WINE_RUN_DIR/base-prefix
  _wine_prefixes+=("$prefix")
  if ! WINEPREFIX=$prefix timeout 300 wineboot -i >"$WINE_RUN_DIR/wineboot.log" 2>&1; then
    echo "wine-lib: wineboot failed; see below" >&2
    cat "$WINE_RUN_DIR/wineboot.log" >&2
    return 1
  fi
  # No window manager runs on Xvfb: unmanaged, Wine draws each window's frame and caption
  # itself, as Windows does, so pictures of windows show them.
  if ! WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
      >>"$WINE_RUN_DIR/wineboot.log" 2>&1; then
    echo "wine-lib: setting Wine's X11 driver to unmanaged windows failed" >&2
    return 1
  fi
  wine_wait_idle "$prefix" 120 || return 1
  _wine_unlink_home_folders "$prefix" || return 1
  _wine_add_own_fonts "$prefix" || return 1
  WINE_BASE_PREFIX=$prefix
}

# Remembers a prefix, so that its processes are stopped at exit.
_wine_track_prefix() {
  case " ${_wine_prefixes[*]} " in
    *" $1 "*) ;;
    *) _wine_prefixes+=("$1") ;;
  esac
}

wine_copy_prefix() {
  local dest=$1
  if [ -z "$WINE_BASE_PREFIX" ]; then
    echo "wine-lib: wine_copy_prefix before wine_boot_prefix" >&2
    return 1
  fi
  if [ -e "$dest" ]; then
    echo "wine-lib: $dest already exists" >&2
    return 1
  fi
  _wine_track_prefix "$dest"
  cp -a "$WINE_BASE_PREFIX" "$dest"
}

wine_remove_prefix() {
  local prefix=$1
  local -
  set +e
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  wine_wait_idle "$prefix" 20 || return 1
  rm -rf "$prefix"
}

wine_run() {
  local prefix=$1 secs=$2 status
  local -
  set +e
  shift 2
  _wine_track_prefix "$prefix"
  if [ -t 1 ] || [ -t 2 ]; then
    # On a terminal Wine's console wraps each character in cursor escapes; through pipes
    # the program's output arrives as it wrote it.
    {
      WINEPREFIX=$prefix timeout --kill-after=5 "$secs" wine "$@" 2>&1 1>&3 3>&- | cat >&2
      exit "${PIPESTATUS[0]}"
    } 3>&1 | cat
    status=${PIPESTATUS[0]}
  else
    WINEPREFIX=$prefix timeout --kill-after=5 "$secs" wine "$@"
    status=$?
  fi
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    echo "wine-lib: $1 still running after $secs s; stopped" >&2
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  fi
  wine_wait_idle "$prefix" 60 || return 1
  return "$status"
}

# A Linux path as Wine sees it through drive Z:.
wine_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s\n' "${path//\//\\}"
}

wine_screenshot() {
  local file=$1 title=${2:-} id
  if [ -z "$title" ]; then
    import -window root "$file"
    return
  fi
  id=$(xwininfo -root -tree | awk -v t="\"$title\":" 'index($0, t) { print $1; exit }')
  if [ -z "$id" ]; then
    echo "wine-lib: no window titled \"$title\"" >&2
    return 1
  fi
  import -window "$id" "$file"
}

# Runs the scenario driver under Wine in PREFIX as
#   driver.exe SCENARIO_FILE SETUP_EXE   (both as Z:\ paths)
# The driver starts SETUP_EXE itself, follows SCENARIO_FILE and waits for the setup
# program. Its stdout and stderr pass through with plain LF line ends; returns 0 when the
# scenario held, else 1 (with a line saying why when the driver itself could not tell,
# e.g. when it did not end within SECS, default 120, and was stopped).
wine_run_scenario() {
  local prefix=$1 driver=$2 setup=$3 scenario=$4 secs=${5:-120} status f
  local -
  set +e
  for f in "$driver" "$setup" "$scenario"; do
    if [ ! -f "$f" ]; then
      echo "wine-lib: $f does not exist" >&2
      return 1
    fi
  done
  _wine_track_prefix "$prefix"
  # The Windows driver ends its lines with CR LF; without the CR its messages read the
  # same as the native run's.
  {
    wine_run "$prefix" "$secs" "$(wine_path "$driver")" "$(wine_path "$scenario")" "$(wine_path "$setup")" \
      2>&1 1>&3 3>&- | sed -u 's/\r$//' >&2
    exit "${PIPESTATUS[0]}"
  } 3>&1 | sed -u 's/\r$//'
  status=${PIPESTATUS[0]}
  case $status in
    0|1) return "$status" ;;
    124|137) echo "scenario: $scenario did not end within $secs s" >&2 ;;
    *) echo "scenario: driver ended with code $status" >&2 ;;
  esac
  return 1
}
