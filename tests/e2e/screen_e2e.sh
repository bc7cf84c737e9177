#!/usr/bin/env bash
# The Linux saver as a screen saver, on two monitors side by side (the X
# server with the dummy driver; needs root):
#   tests/e2e/screen_e2e.sh LINUX_BUILD [WINDOWS_BUILD]
# The trail on the primary monitor and the other one black; a pointer move on
# the other monitor ends, and so does a click there; the first key once the
# screen is black ends; a hand-edited negative speed still draws and ends on
# a key; SIGTERM, SIGHUP and SIGINT end with exit code 0 with the settings
# dialog (alone or over the saver) or the F3 notice open, and leave the INI
# files whole.
# Screenshots go to build/e2e-artifacts/screen/.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
LINUX_BUILD=${1:-$ROOT/build/linux}
ARTIFACTS=$ROOT/build/e2e-artifacts/screen
WORK=$(mktemp -d /tmp/prumya-screen-e2e.XXXXXX)
mkdir -p "$ARTIFACTS"
source "$ROOT/tests/e2e/lib.sh"
source "$ROOT/tests/e2e/saver_lib.sh"

passed=0
failed=0
result() {  # name status
  if [ "$2" -eq 0 ]; then echo "PASS $1"; passed=$((passed + 1)); else echo "FAIL $1"; failed=$((failed + 1)); fi
}
cleanup() {
  saver_stop
  e2e_stop_xvfb
  rm -rf "$WORK"
}
trap cleanup EXIT

# Counts of one monitor's part of a shot: "lit band off" of the trail, and
# the pixels that are not black.
part() {  # shot x-offset name
  /usr/bin/convert "$1" -crop "1024x768+$2+0" +repage "$WORK/$3.png"
}
not_black() { echo $(( 786432 - $(e2e_count_colour "$1" 0 0 0) )); }

# The root is painted white before each start, so what the saver leaves
# uncovered shows. Black from the moment the window maps:
primary_black() {  # shot
  shot "$1" && part "$1" 0 primary &&
    [ "$(e2e_count_colour "$WORK/primary.png" 255 255 255)" -eq 0 ]
}
# ... and then a trail drawn over it.
primary_drawn() {  # shot
  primary_black "$1" && [ "$(trail_count "$WORK/primary.png" lit)" -gt 100 ]
}

check_two_monitors() {
  local dir shot=$ARTIFACTS/two-monitors.png lit rest
  dir=$(saver_dir linux two)
  e2e_paint_root white
  saver_start linux "$dir" /s
  wait_for primary_drawn "$shot"
  part "$shot" 1024 second
  lit=$(trail_count "$WORK/primary.png" lit) rest=$(not_black "$WORK/second.png")
  echo "  primary lit=$lit, second monitor not black=$rest"
  result "the trail runs on the primary monitor" $([ "${lit:-0}" -gt 100 ]; echo $?)
  result "the second monitor is black" $([ "$rest" -eq 0 ]; echo $?)
  xdotool mousemove 1600 300
  saver_ended_ok; result "a pointer move on the second monitor ends with code 0" $?
  saver_stop
}

# With the mouse lock on, a left click on the other monitor still ends.
check_click_second() {
  local dir
  dir=$(saver_dir linux click)
  printf '[action]\nmouse=0\n' | to_cp932 >"$dir/prumya.ini"
  e2e_paint_root white
  saver_start linux "$dir" /s
  wait_for primary_drawn "$ARTIFACTS/click.png" && xdotool mousemove 1600 300 click 1
  saver_ended_ok; result "a left click on the second monitor ends with code 0" $?
  saver_stop
}

# The first key once the screen has turned black ends the saver: no key is
# lost to a window made again after the start.
check_first_key() {
  local dir
  dir=$(saver_dir linux key)
  e2e_paint_root white
  saver_start linux "$dir" /s
  wait_for primary_black "$ARTIFACTS/first-key.png"
  result "the screen turns black" $?
  xdotool key x
  saver_ended_ok; result "the first key after the screen turns black ends with code 0" $?
  saver_stop
}

check_negative_speed() {
  local dir
  dir=$(saver_dir linux negative)
  printf '[action]\nspeed=-20\n' | to_cp932 >"$dir/prumya.ini"
  e2e_paint_root white
  saver_start linux "$dir" /s
  wait_for primary_drawn "$ARTIFACTS/negative-speed.png"
  result "speed=-20 still blanks the screen and draws" $?
  xdotool key x
  saver_ended_ok; result "speed=-20 ends on a key with code 0" $?
  saver_stop
}

# A signal with something open: the process ends with code 0 and the INI
# files are as they were (a dialog so ended is a Cancel); the F3 notice is
# taken as seen, so the quick save it announces is stored whole.
check_signal() {  # name signal open-command args...
  local name=$1 signal=$2 open=$3 dir unchanged
  shift 3
  dir=$(saver_dir linux "signal-$signal")
  printf '[action]\nname=Alpha\n' | to_cp932 >"$dir/prumya.ini"
  (cd "$dir" && ls -l --time-style=+%s.%N *.ini) >"$WORK/before"
  e2e_paint_root white
  saver_start linux "$dir" "$@"
  wait_for e2e_has_window "$SAVER_PID" && $open
  kill "-$signal" "$SAVER_PID"
  saver_ended_ok; result "SIG$signal with $name open ends with code 0" $?
  (cd "$dir" && ls -l --time-style=+%s.%N *.ini) >"$WORK/after"
  if [ "$open" = open_f3 ]; then
    cmp -s <(grep prumya.ini "$WORK/before") <(grep prumya.ini "$WORK/after") &&
      [ "$(ini_key_names "$dir/action.ini" "???" | wc -l)" -eq 12 ]
    result "SIG$signal with $name open keeps prumya.ini and stores ??? whole" $?
  else
    cmp -s "$WORK/before" "$WORK/after"; result "SIG$signal with $name open writes nothing" $?
  fi
  saver_stop
}
# Typing into the dialog changes the name an OK would store.
open_dialog() { wait_for focus_is "ぷるみゅら の設定" && xdotool key a b; }
open_f1() { wait_for primary_drawn "$WORK/f1.png" && xdotool key F1 && open_dialog; }
open_f3() { wait_for primary_drawn "$WORK/f3.png" && xdotool key F3 && wait_for window_shown "映像保存"; }

if [ ! -x "$LINUX_BUILD/prumya" ]; then
  result "linux build present ($LINUX_BUILD/prumya)" 1
elif ! e2e_start_two_monitors "$WORK/xorg"; then
  result "a two-monitor X server starts (root, xserver-xorg-video-dummy)" 1
else
  export HOME=$WORK  # no user settings or sound set-up of the caller's
  check_two_monitors
  check_click_second
  check_first_key
  check_negative_speed
  check_signal "the settings dialog of /c" TERM open_dialog /c
  check_signal "the dialog over the saver" HUP open_f1 /s
  check_signal "the F3 notice" INT open_f3 /s
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
