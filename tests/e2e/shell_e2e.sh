#!/usr/bin/env bash
# The application shell end to end on both platforms:
#   tests/e2e/shell_e2e.sh LINUX_BUILD WINDOWS_BUILD
# Each run copies the program from its build folder to a throwaway
# directory, starts "/s", checks that the window covers the screen, ends it
# with a key, Esc or a left click, and checks the exit code and that no
# process is left. Linux runs under a private Xvfb, Windows under Wine.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
LINUX_BUILD=${1:-$ROOT/build/linux}
WINDOWS_BUILD=${2:-$ROOT/build/windows}
WORK=$(mktemp -d /tmp/prumya-shell-e2e.XXXXXX)
ARTIFACTS=$ROOT/build/e2e-artifacts/shell  # the last screenshot of each run
SCREEN=1024x768x24
source "$ROOT/tests/e2e/lib.sh"
source "$ROOT/scripts/lib/wine-env.sh"

passed=0
failed=0
check() {  # name command...
  local name=$1
  shift
  if "$@"; then echo "PASS $name"; passed=$((passed + 1)); else echo "FAIL $name"; failed=$((failed + 1)); fi
}

PID=
cleanup() {
  [ -n "$PID" ] && e2e_kill "$PID"
  # The Wine display may be shared with later checks: put its root back.
  [ -n "${SHARED_ROOT_PAINTED:-}" ] && e2e_paint_root black
  e2e_stop_xvfb
  [ -n "${OWN_WINE:-}" ] && wine_env_down
  rm -rf "$WORK"
}
trap cleanup EXIT
mkdir -p "$ARTIFACTS"

run_dir() {  # platform name -> a fresh directory holding the program
  local dir=$WORK/$1-$2
  mkdir -p "$dir"
  if [ "$1" = linux ]; then cp "$LINUX_BUILD/prumya" "$dir/"; else cp "$WINDOWS_BUILD/prumya.scr" "$dir/"; fi
  cp "$(if [ "$1" = linux ]; then echo "$LINUX_BUILD"; else echo "$WINDOWS_BUILD"; fi)"/*.ini "$dir/" 2>/dev/null
  echo "$dir"
}

start() {  # platform dir
  e2e_paint_root white
  xdotool mousemove 512 384
  if [ "$1" = linux ]; then
    (cd "$2" && exec ./prumya /s) >"$2/out.txt" 2>&1 &
  else
    (cd "$2" && exec wine ./prumya.scr /s) >"$2/out.txt" 2>&1 &
  fi
  PID=$!
}

# The process's window sits at 0,0 at the screen's size. SDL may make its
# window anew as it starts, so the window is looked up each time.
at_screen_size() {  # pid
  local window
  window=$(e2e_window_of_pid "$1") && [ -n "$window" ] || return 1
  GEOMETRY=$(e2e_window_geometry "$window") || return 1
  [ "$GEOMETRY" = "0 0 $(e2e_screen_size)" ]
}
fills_screen() {
  local status
  GEOMETRY=
  e2e_poll 10 at_screen_size "$PID"
  status=$?
  echo "  window ${GEOMETRY:-not found}, screen $(e2e_screen_size)"
  return $status
}

# Once drawn, the screen shows (next to) none of the root window, which was
# painted white before the start.
root_hidden() {  # shot
  e2e_screenshot "$1" || return 1
  WHITE=$(e2e_count_colour "$1" 255 255 255 0)
  [ "${WHITE:-999999}" -lt 10000 ]
}
covers_screen() {  # shot
  WHITE=
  e2e_poll 20 root_hidden "$1" && return 0
  echo "  white pixels still showing: ${WHITE:-none counted}"
  return 1
}

ends_with_zero() { e2e_wait_exit "$PID" && PID= && [ "$E2E_RC" -eq 0 ]; }

one_run() {  # platform ending-name ending-command...
  local p=$1 how=$2 dir window
  shift 2
  dir=$(run_dir "$p" "$how")
  start "$p" "$dir"
  window=$(e2e_wait_window "$PID")
  check "$p window shown ($how run)" test -n "$window"
  [ -n "$window" ] && check "$p window at 0,0 with the screen's size ($how run)" fills_screen
  check "$p window covers the screen once drawn ($how run)" covers_screen "$ARTIFACTS/$p-$how.png"
  "$@"
  check "$p ends on $how with exit code 0" ends_with_zero
  [ -n "$PID" ] && { e2e_kill "$PID"; PID=; }
  check "$p leaves no process ($how run)" e2e_poll 5 e2e_no_process_in "$dir"
  [ -s "$dir/out.txt" ] && sed 's/^/  out: /' "$dir/out.txt" | grep -v 'ALSA lib' | head -n 5
}

run_platform() {  # platform
  one_run "$1" key xdotool key a
  one_run "$1" Esc xdotool key Escape
  one_run "$1" click xdotool click 1
}

OUTER_DISPLAY=${DISPLAY:-}
if [ -x "$LINUX_BUILD/prumya" ]; then
  e2e_start_xvfb "$SCREEN" && run_platform linux
  e2e_stop_xvfb
  export DISPLAY=$OUTER_DISPLAY
else
  check "linux build present ($LINUX_BUILD/prumya)" false
fi

if [ -f "$WINDOWS_BUILD/prumya.scr" ]; then
  if [ -z "${PRUMYA_WINE_READY:-}" ]; then
    OWN_WINE=1
    PRUMYA_XVFB_SIZE=$SCREEN wine_env_up
  fi
  SHARED_ROOT_PAINTED=1
  run_platform windows
else
  check "windows build present ($WINDOWS_BUILD/prumya.scr)" false
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
