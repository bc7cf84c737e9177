# Shared helpers for the end-to-end checks (sourced): results, a private X
# server, polling, windows by process or title, screenshots read by pixel
# counts (pixels.py), INI files as UTF-8 text, and runs of the saver, each in
# a throwaway directory holding a copy of the program and the shipped presets.

E2E_TIMEOUT=${PRUMYA_E2E_TIMEOUT:-30}
E2E_XVFB_PID=
E2E_LIB=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
PIXELS="python3 $E2E_LIB/pixels.py"
source "$E2E_LIB/../../scripts/lib/wine-env.sh"

# The set-up of a check script: ROOT, the two builds (its arguments),
# ARTIFACTS for its screenshots, a WORK directory of its own, and the
# clean-up of what it started.
e2e_setup() {  # name [linux-build [windows-build]]
  ROOT=$(cd "$E2E_LIB/../.." && pwd)
  LINUX_BUILD=${2:-$ROOT/build/linux} WINDOWS_BUILD=${3:-$ROOT/build/windows}
  ARTIFACTS=$ROOT/build/e2e-artifacts/$1
  WORK=$(mktemp -d "/tmp/prumya-$1-e2e.XXXXXX")
  mkdir -p "$ARTIFACTS"
  trap e2e_cleanup EXIT
}
e2e_cleanup() {
  saver_stop
  ! declare -F app_stop >/dev/null || app_stop
  e2e_stop_xvfb
  [ -z "${E2E_WINE_UP:-}" ] || wine_env_down  # only a Wine set-up of this script's own
  rm -rf "$WORK"
}

passed=0
failed=0
result() {  # name status
  if [ "$2" -eq 0 ]; then echo "PASS $1"; passed=$((passed + 1)); else echo "FAIL $1"; failed=$((failed + 1)); fi
}
summary() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }

# A private X server (e.g. 1024x768x24) on a free display; exports DISPLAY.
e2e_start_xvfb() { wine_env_start_xvfb "$1" && E2E_XVFB_PID=$PRUMYA_XVFB_PID; }  # size
e2e_stop_xvfb() { [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null && wait "$E2E_XVFB_PID" 2>/dev/null; E2E_XVFB_PID=; }

# A check against a Windows tool under Wine: skipped (77) without the tool
# or Wine, else Wine comes up now and goes down (and WORK with it) at the exit.
wine_check_up() {  # windows-tool
  [ -f "$1" ] && command -v wine >/dev/null || { echo "SKIP: no Windows tool $1 or no wine"; exit 77; }
  trap 'wine_env_down; rm -rf "${WORK:-}"' EXIT
  wine_env_up || { echo "Wine environment did not start"; exit 1; }
}

# FUNC linux under a private Xvfb, then FUNC windows under Wine, each when
# its build directory holds the files named.
on_platforms() {  # func linux-files windows-files
  local p build f files missing
  for p in linux windows; do
    [ $p = linux ] && build=$LINUX_BUILD files=$2 || build=$WINDOWS_BUILD files=$3
    missing=$(for f in $files; do [ -e "$build/$f" ] || printf ' %s' "$f"; done)
    if [ -n "$missing" ]; then
      result "$p build has$missing" 1
    elif [ $p = linux ]; then
      e2e_start_xvfb 1024x768x24 && "$1" linux
      e2e_stop_xvfb
    else
      E2E_WINE_UP=1
      PRUMYA_XVFB_SIZE=1024x768x24 wine_env_up && "$1" windows
    fi
  done
}

# Polls a command until it succeeds or the time-out (seconds) passes.
e2e_poll() {  # seconds command...
  local deadline=$((SECONDS + $1))
  shift
  while [ $SECONDS -lt $deadline ]; do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
wait_for() { e2e_poll "$E2E_TIMEOUT" "$@"; }
now_ms() { local t=${EPOCHREALTIME/./}; echo $((t / 1000)); }

# Windows: the first visible one of a process, or those of a title (xdotool's
# name search misses non-ASCII titles, so every mapped window's is compared).
e2e_window_of_pid() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n1; }
e2e_has_window() { [ -n "$(e2e_window_of_pid "$1")" ]; }
window_count() {  # title
  local w n=0
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && n=$((n + 1))
  done
  echo "$n"
}
has_window_count() { [ "$(window_count "$1")" -eq "$2" ]; }  # title count
window_shown() { [ "$(window_count "$1")" -gt 0 ]; }
focused_window() { xdotool getwindowfocus 2>/dev/null; }
focus_is() {  # title: the window that has the keyboard
  local f
  f=$(focused_window) && [ -n "$f" ] && [ "$(xdotool getwindowname "$f" 2>/dev/null)" = "$1" ]
}

# The whole screen as a PNG, with the real ImageMagick (another `import` or
# `convert` may come first in PATH).
e2e_screenshot() {  # file
  /usr/bin/import -window root "$1" 2>/dev/null || xwd -root -silent | /usr/bin/convert xwd:- "$1" 2>/dev/null
}

# Frames drawn: the screen changes COUNT times in a row within the time-out,
# so the program has gone round its loop since whatever came before. Raw
# dumps, compared byte for byte, in DIR.
e2e_frames_pass() {  # count dir
  local i
  xwd -root -silent >"$2/frame-0.xwd" 2>/dev/null || return 1
  for i in $(seq 1 "$1"); do
    e2e_poll "$E2E_TIMEOUT" e2e_screen_differs "$2/frame-$((i - 1)).xwd" "$2/frame-$i.xwd" || return 1
  done
}
e2e_screen_differs() { xwd -root -silent >"$2" 2>/dev/null && ! cmp -s "$1" "$2"; }

e2e_alive() { kill -0 "$1" 2>/dev/null; }
# Gone, or a zombie that only waits to be reaped.
ended() { [ ! -e "/proc/$1" ] || [ "$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null)" = Z ]; }
# Milliseconds until the process ends, checked every 10 ms; fails past max_ms.
end_ms() {  # pid max_ms
  local t0
  t0=$(now_ms)
  while ! ended "$1"; do
    [ $(( $(now_ms) - t0 )) -gt "$2" ] && return 1
    sleep 0.01
  done
  echo $(( $(now_ms) - t0 ))
}
e2e_gone() { ! e2e_alive "$1"; }
# Waits for a child process to end; E2E_RC is its exit code. False on time-out.
e2e_wait_exit() {  # pid [seconds]
  E2E_RC=
  e2e_poll "${2:-$E2E_TIMEOUT}" e2e_gone "$1" || return 1
  wait "$1" 2>/dev/null
  E2E_RC=$?
}
e2e_kill() { e2e_alive "$1" && kill -9 "$1" 2>/dev/null && wait "$1" 2>/dev/null; return 0; }  # pid
# No process runs from, runs a program in, or names the given directory.
e2e_no_process_in() {  # directory
  local p
  for p in /proc/[0-9]*; do
    case "$({ readlink "$p/cwd" "$p/exe"; tr '\0' ' ' <"$p/cmdline"; } 2>/dev/null)" in *"$1"*) return 1 ;; esac
  done
}

# INI files: UTF-8 lines in, CRLF Shift_JIS out; and read back as UTF-8.
to_cp932() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }
ini_keys() {  # file section: its key=value lines (section names ignore case)
  iconv -f CP932 -t UTF-8 "$1" 2>/dev/null | tr -d '\r' | awk -v want="$2" '
    /^\[.*\]$/ { inside = (tolower(substr($0, 2, length($0) - 2)) == tolower(want)); next }
    inside && index($0, "=") { print }'
}
ini_key_count() { ini_keys "$1" "$2" | wc -l; }
ini_has() { ini_keys "$1" "$2" | grep -qxF "$3=$4"; }  # file section key value

# A fresh run directory (under $WORK) with the program and actsys.ini.
saver_dir() {  # platform name -> prints the directory
  local dir=$WORK/$1-$2 build=$LINUX_BUILD program=prumya
  [ "$1" = linux ] || build=$WINDOWS_BUILD program=prumya.scr
  rm -rf "$dir" && mkdir -p "$dir" && cp "$build/$program" "$dir/"
  cp "$build/actsys.ini" "$dir/" 2>/dev/null || cp "$ROOT/resources/actsys.ini" "$dir/"
  echo "$dir"
}

# A run in a fresh directory (RUN_DIR), its [action] settings given or none.
saver_run() {  # platform name settings args...
  RUN_DIR=$(saver_dir "$1" "$2")
  [ -n "$3" ] && printf '%s\n' '[action]' "$3" | to_cp932 >"$RUN_DIR/prumya.ini"
  saver_start "$1" "$RUN_DIR" "${@:4}"
}
SAVER_PID=
saver_start() {  # platform dir args...
  local dir=$2 run=./prumya
  [ "$1" = linux ] || run="wine ./prumya.scr"
  shift 2
  xdotool mousemove 512 384
  (cd "$dir" && exec $run "$@") >"$dir/out.txt" 2>&1 &
  SAVER_PID=$!
}
saver_ended_ok() {  # the run ends with exit code 0
  [ -n "$SAVER_PID" ] && e2e_wait_exit "$SAVER_PID" || return 1
  SAVER_PID=
  [ "$E2E_RC" -eq 0 ]
}
saver_ends() { saver_ended_ok; result "$1" $?; saver_stop; }  # name: the run ends with code 0
saver_stays() { e2e_frames_pass "$1" "$WORK" && e2e_alive "$SAVER_PID"; }  # frames
saver_stop() {  # a key first, then by force
  if e2e_alive "$SAVER_PID"; then
    xdotool key q
    e2e_wait_exit "$SAVER_PID" 10 || e2e_kill "$SAVER_PID"
  fi
  SAVER_PID=
}

frame_shown() { e2e_screenshot "$1" && [ "$($PIXELS lit "$1")" -gt 100 ]; }  # a trail on the screen
shot_moved() { e2e_screenshot "$2" && [ "$($PIXELS diff "$1" "$2")" -gt 0 ]; }  # earlier later
