#!/usr/bin/env bash
# End-to-end checks of the running saver on both platforms:
#   tests/e2e/run_e2e.sh LINUX_BUILD WINDOWS_BUILD
# Linux under a private Xvfb, Windows under Wine + Xvfb; input by xdotool,
# screenshots (kept in build/e2e-artifacts/run/) read by pixel counts.
# Prints PASS/FAIL lines and a summary.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
LINUX_BUILD=${1:-$ROOT/build/linux}
WINDOWS_BUILD=${2:-$ROOT/build/windows}
ARTIFACTS=$ROOT/build/e2e-artifacts/run
WORK=$(mktemp -d /tmp/prumya-run-e2e.XXXXXX)
mkdir -p "$ARTIFACTS"
source "$ROOT/tests/e2e/lib.sh"

W=1024
H=768

# The window sits at 0,0 at the screen's size (SDL may make it anew as it
# starts, so it is looked up each time) and hides the root, painted white.
at_screen_size() {
  local window
  window=$(e2e_window_of_pid "$SAVER_PID") && [ -n "$window" ] &&
    GEOMETRY=$(e2e_window_geometry "$window") && [ "$GEOMETRY" = "0 0 $W $H" ]
}
root_hidden() { shot "$1" && WHITE=$($PIXELS colour "$1" 255 255 255) && [ "${WHITE:-999999}" -lt 10000 ]; }

# "/s" fills the screen and draws a moving trail in its colour band; the
# key ends it with exit code 0 and leaves no process.
check_trail() {  # platform how key
  local p=$1 how=$2 dir a=$ARTIFACTS/$1-$2-a.png b=$ARTIFACTS/$1-$2-b.png
  dir=$(saver_dir "$p" "$how")
  e2e_paint_root white
  saver_start "$p" "$dir" /s
  GEOMETRY= WHITE=
  wait_for at_screen_size; result "$p window at 0,0 with the screen's size ($how run)" $?
  wait_for root_hidden "$a"; result "$p window covers the screen once drawn ($how run)" $?
  echo "  $p window ${GEOMETRY:-not found}, ${WHITE:-?} white pixels left"
  if [ "$how" = trail ]; then
    wait_frame "$a" && wait_for shot_moved "$a" "$b"
    local lit off moved
    lit=$(trail_count "$a" lit) off=$(trail_count "$a" off) moved=$($PIXELS diff "$a" "$b")
    echo "  $p trail: lit=$lit off-band=$off changed=$moved"
    result "$p /s draws a moving trail in its colour band" \
      $([ "${lit:-0}" -gt 100 ] && [ "${off:-1}" -eq 0 ] && [ "${moved:-0}" -gt 0 ]; echo $?)
  fi
  xdotool key "$3"
  saver_ended_ok; result "$p $3 ends with exit code 0" $?
  saver_stop
  e2e_poll 5 e2e_no_process_in "$dir"; result "$p leaves no process ($how run)" $?
  e2e_paint_root black
}

# Green pixels of the clock (lower right) and the counter (lower left).
overlays_shown() {  # file
  shot "$1" && CLOCK=$($PIXELS green "$1" $((W - 304)) $((H - 17)) $W $((H - 1))) &&
    RATE=$($PIXELS green "$1" 0 $((H - 17)) 224 $((H - 1))) && [ "$CLOCK" -gt 300 ] && [ "$RATE" -gt 200 ]
}

# The clock at the lower right and the counter at the lower left, in green;
# a left click ends.
check_overlays() {  # platform
  local p=$1 dir s=$ARTIFACTS/$1-overlays.png
  dir=$(saver_dir "$p" overlays)
  printf '[action]\ntime=1\nfps=1\n' | to_cp932 >"$dir/prumya.ini"
  saver_start "$p" "$dir" /s
  CLOCK= RATE=
  wait_frame "$s" && wait_for overlays_shown "$s"
  echo "  $p overlays: clock=$CLOCK rate=$RATE green pixels"
  result "$p time=1 shows the clock at the bottom right" $([ "${CLOCK:-0}" -gt 300 ]; echo $?)
  result "$p fps=1 shows the counter at the bottom left" $([ "${RATE:-0}" -gt 200 ]; echo $?)
  xdotool click 1
  saver_ended_ok; result "$p a left click ends with exit code 0" $?
  saver_stop
}

quick_saved() { [ "$(ini_keys "$1" "???" | cut -d= -f1 | tr '\n' ' ')" = "$QUICK_KEYS" ]; }
QUICK_KEYS="data00 data01 data02 data03 data04 data05 data06 data07 data08 data09 data10 data11 "

# F3: the notice, then "???" with exactly the twelve data keys; the settings
# file stays as it was. Alt, held until the saver has seen it, ends. F3 when
# the user preset file cannot be written: a box naming it; the saver goes on.
check_quick_save() {  # platform
  local p=$1 dir box=1
  dir=$(saver_dir "$p" quick)
  printf '[action]\nname=ばね\nspeed=0\nmouse=24\n' | to_cp932 >"$dir/prumya.ini"
  cp "$dir/prumya.ini" "$WORK/$p-settings-before"
  saver_start "$p" "$dir" /s
  wait_frame "$ARTIFACTS/$p-quick-before.png"
  xdotool key F3
  wait_for window_shown "映像保存" && box=0
  shot "$ARTIFACTS/$p-quick-notice.png"
  wait_for focus_is "映像保存" && xdotool key Return
  wait_for quick_saved "$dir/action.ini"
  result "$p F3 shows the notice" $box
  quick_saved "$dir/action.ini"; result "$p F3 stores exactly data00..data11 in ???" $?
  cmp -s "$dir/prumya.ini" "$WORK/$p-settings-before"; result "$p F3 leaves prumya.ini unchanged" $?
  wait_for focus_is "ぷるみゅら"
  xdotool keydown alt
  [ -n "$SAVER_PID" ] && wait_for e2e_gone "$SAVER_PID"
  xdotool keyup alt
  saver_ended_ok; result "$p Alt ends with exit code 0" $?
  saver_stop

  dir=$(saver_dir "$p" quick-fail)
  mkdir "$dir/action.ini"  # a folder where the file should be: no write can reach it
  saver_start "$p" "$dir" /s
  wait_frame "$ARTIFACTS/$p-quick-fail-before.png"
  xdotool key F3
  wait_for focus_is "映像保存" && xdotool key Return
  wait_for window_shown "保存エラー"; result "$p F3 that cannot write shows the save error" $?
  shot "$ARTIFACTS/$p-quick-fail-box.png"
  wait_for focus_is "保存エラー" && xdotool key Return
  saver_stays 3; result "$p the saver goes on after the save error" $?
  saver_stop
}

# The anchor is where the cursor was at the first frame: 24 pixels stay, 25
# end; with mouse=0 no move ends.
check_mouse() {  # platform
  local p=$1 dir
  dir=$(saver_dir "$p" mouse)
  saver_start "$p" "$dir" /s
  wait_frame "$ARTIFACTS/$p-mouse.png"
  xdotool mousemove 536 384
  saver_stays 3; result "$p a mouse move of 24 pixels does not end" $?
  xdotool mousemove 537 384
  saver_ended_ok; result "$p a mouse move of 25 pixels ends with exit code 0" $?
  saver_stop
  dir=$(saver_dir "$p" lock)
  printf '[action]\nmouse=0\n' | to_cp932 >"$dir/prumya.ini"
  saver_start "$p" "$dir" /s
  wait_frame "$ARTIFACTS/$p-lock.png"
  xdotool mousemove 900 700 && e2e_frames_pass 2 "$WORK" && xdotool mousemove 10 10
  saver_stays 3; result "$p mouse=0: no mouse move ends" $?
  saver_stop
}

check_preview() {  # platform
  local p=$1 dir before
  dir=$(saver_dir "$p" preview)
  before=$(ls "$dir")
  saver_start "$p" "$dir" /p 1234
  saver_ended_ok && [ "$(ls "$dir" | grep -v '^out.txt$')" = "$before" ]
  result "$p /p 1234 ends at once and writes no file" $?
  saver_stop
}

# Missing or unreadable INI files: the defaults, and the saver still runs.
check_bad_files() {  # platform kind
  local p=$1 kind=$2 dir f
  dir=$(saver_dir "$p" "$kind")
  if [ "$kind" = missing ]; then rm -f "$dir/actsys.ini"
  else for f in prumya.ini actsys.ini action.ini; do head -c 3000 /dev/urandom >"$dir/$f"; done; fi
  saver_start "$p" "$dir" /s
  wait_frame "$ARTIFACTS/$p-$kind.png" && xdotool key x && saver_ended_ok
  result "$p $kind INI files: start with the defaults" $?
  saver_stop
}

run_platform() {  # platform
  check_trail "$1" trail x
  check_trail "$1" Esc Escape
  check_overlays "$1"
  check_quick_save "$1"
  check_mouse "$1"
  check_preview "$1"
  check_bad_files "$1" missing
  check_bad_files "$1" garbage
}

trap 'saver_stop; e2e_stop_xvfb; wine_env_down; rm -rf "$WORK"' EXIT

if [ -x "$LINUX_BUILD/prumya" ]; then
  e2e_start_xvfb "${W}x${H}x24" && run_platform linux
  e2e_stop_xvfb
else
  result "linux build present ($LINUX_BUILD/prumya)" 1
fi
if [ -f "$WINDOWS_BUILD/prumya.scr" ]; then
  PRUMYA_XVFB_SIZE=${W}x${H}x24 wine_env_up && run_platform windows
else
  result "windows build present ($WINDOWS_BUILD/prumya.scr)" 1
fi
summary
