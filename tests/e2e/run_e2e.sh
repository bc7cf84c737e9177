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
source "$ROOT/tests/e2e/saver_lib.sh"
source "$ROOT/scripts/lib/wine-env.sh"

passed=0
failed=0
result() {  # name status
  if [ "$2" -eq 0 ]; then echo "PASS $1"; passed=$((passed + 1)); else echo "FAIL $1"; failed=$((failed + 1)); fi
}

SCREEN_W=1024
SCREEN_H=768

# "/s" draws a moving trail in its colour band on black; a letter key ends it.
check_trail() {  # platform
  local p=$1 dir a b
  dir=$(saver_dir "$p" trail)
  a=$ARTIFACTS/$p-trail-a.png b=$ARTIFACTS/$p-trail-b.png
  saver_start "$p" "$dir" /s
  wait_frame "$a" && wait_for shot_moved "$a" "$b"
  local lit off moved
  lit=$(trail_count "$a" lit) off=$(trail_count "$a" off)
  moved=$($PIXELS diff "$a" "$b")
  echo "  $p trail: lit=$lit off-band=$off changed=$moved"
  result "$p /s draws a moving trail in its colour band" \
    $([ "${lit:-0}" -gt 100 ] && [ "${off:-1}" -eq 0 ] && [ "${moved:-0}" -gt 0 ]; echo $?)
  xdotool key x
  saver_ended_ok; result "$p a letter key ends with exit code 0" $?
  saver_stop
}

# Green pixels of the clock (lower right) and the counter (lower left) in a
# shot: CLOCK and RATE.
overlay_counts() {  # file
  CLOCK=$($PIXELS green "$1" $((SCREEN_W - 304)) $((SCREEN_H - 17)) $SCREEN_W $((SCREEN_H - 1)))
  RATE=$($PIXELS green "$1" 0 $((SCREEN_H - 17)) 224 $((SCREEN_H - 1)))
}
overlays_shown() {  # file
  shot "$1" && overlay_counts "$1" && [ "${CLOCK:-0}" -gt 300 ] && [ "${RATE:-0}" -gt 200 ]
}

# The clock at the lower right and the counter at the lower left, in green;
# a left click ends.
check_overlays() {  # platform
  local p=$1 dir s
  dir=$(saver_dir "$p" overlays)
  printf '[action]\ntime=1\nfps=1\n' | to_cp932 > "$dir/prumya.ini"
  s=$ARTIFACTS/$p-overlays.png
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

QUICK_KEYS="data00 data01 data02 data03 data04 data05 data06 data07 data08 data09 data10 data11 "
quick_keys_stored() {  # file: KEYS holds the key names of "???"
  KEYS=$(ini_key_names "$1" "???" | tr '\n' ' ')
  [ "$KEYS" = "$QUICK_KEYS" ]
}

# F3: the notice, then "???" with exactly the twelve data keys; the settings
# file stays as it was. Alt, held until the saver has seen it, ends.
check_quick_save() {  # platform
  local p=$1 dir
  dir=$(saver_dir "$p" quick)
  printf '[action]\nname=ばね\nspeed=0\nmouse=24\n' | to_cp932 > "$dir/prumya.ini"
  cp "$dir/prumya.ini" "$WORK/$p-settings-before"
  saver_start "$p" "$dir" /s
  wait_frame "$ARTIFACTS/$p-quick-before.png"
  xdotool key F3
  local box=1
  wait_for window_shown "映像保存" && box=0
  shot "$ARTIFACTS/$p-quick-notice.png"
  wait_for focus_is "映像保存" && xdotool key Return
  KEYS=
  wait_for quick_keys_stored "$dir/action.ini"
  result "$p F3 shows the notice" $box
  result "$p F3 stores exactly data00..data11 in ???" $([ "$KEYS" = "$QUICK_KEYS" ]; echo $?)
  result "$p F3 leaves prumya.ini unchanged" $(cmp -s "$dir/prumya.ini" "$WORK/$p-settings-before"; echo $?)
  wait_for focus_is "ぷるみゅら"
  xdotool keydown alt
  [ -n "$SAVER_PID" ] && e2e_poll "$SAVER_TIMEOUT" e2e_gone "$SAVER_PID"
  xdotool keyup alt
  saver_ended_ok; result "$p Alt ends with exit code 0" $?
  saver_stop
}

# F3 when the user preset file cannot be written: after the notice, a box
# naming the file; the saver goes on.
check_quick_save_failure() {  # platform
  local p=$1 dir
  dir=$(saver_dir "$p" quick-fail)
  mkdir "$dir/action.ini"  # a folder where the file should be: no write can reach it
  saver_start "$p" "$dir" /s
  wait_frame "$ARTIFACTS/$p-quick-fail-before.png"
  xdotool key F3
  wait_for focus_is "映像保存" && xdotool key Return
  local box=1
  wait_for window_shown "保存エラー" && box=0
  shot "$ARTIFACTS/$p-quick-fail-box.png"
  result "$p F3 that cannot write shows the save error" $box
  wait_for focus_is "保存エラー" && xdotool key Return
  saver_stays 3; result "$p the saver goes on after the save error" $?
  saver_stop
}

# The anchor is where the cursor was at the first frame: 24 pixels stay,
# 25 end.
check_mouse_threshold() {  # platform
  local p=$1 dir
  dir=$(saver_dir "$p" mouse)
  saver_start "$p" "$dir" /s
  wait_frame "$ARTIFACTS/$p-mouse.png"
  xdotool mousemove 536 384
  saver_stays 3; result "$p a mouse move of 24 pixels does not end" $?
  xdotool mousemove 537 384
  saver_ended_ok; result "$p a mouse move of 25 pixels ends with exit code 0" $?
  saver_stop
}

check_mouse_lock() {  # platform
  local p=$1 dir
  dir=$(saver_dir "$p" lock)
  printf '[action]\nmouse=0\n' | to_cp932 > "$dir/prumya.ini"
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
  local p=$1 kind=$2 dir
  dir=$(saver_dir "$p" "$kind")
  if [ "$kind" = missing ]; then
    rm -f "$dir/actsys.ini"
  else
    for f in prumya.ini actsys.ini action.ini; do head -c 3000 /dev/urandom > "$dir/$f"; done
  fi
  saver_start "$p" "$dir" /s
  wait_frame "$ARTIFACTS/$p-$kind.png"
  local drawn=$?
  xdotool key x
  [ $drawn -eq 0 ] && saver_ended_ok
  result "$p $kind INI files: start with the defaults" $?
  saver_stop
}

run_platform() {  # platform
  check_trail "$1"
  check_overlays "$1"
  check_quick_save "$1"
  check_quick_save_failure "$1"
  check_mouse_threshold "$1"
  check_mouse_lock "$1"
  check_preview "$1"
  check_bad_files "$1" missing
  check_bad_files "$1" garbage
}

cleanup() {
  saver_stop
  e2e_stop_xvfb
  wine_env_down
  rm -rf "$WORK"
}
trap cleanup EXIT

if [ -x "$LINUX_BUILD/prumya" ]; then
  e2e_start_xvfb "${SCREEN_W}x${SCREEN_H}x24"
  run_platform linux
  e2e_stop_xvfb
else
  result "linux build present ($LINUX_BUILD/prumya)" 1
fi

if [ -f "$WINDOWS_BUILD/prumya.scr" ]; then
  PRUMYA_XVFB_SIZE=${SCREEN_W}x${SCREEN_H}x24 wine_env_up
  run_platform windows
else
  result "windows build present ($WINDOWS_BUILD/prumya.scr)" 1
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
