#!/usr/bin/env bash
# End-to-end checks of the running saver on both platforms:
#   tests/e2e/run_e2e.sh LINUX_BUILD WINDOWS_BUILD
# Linux under a private Xvfb, Windows under Wine + Xvfb; input by xdotool,
# screenshots (kept in build/e2e-artifacts/run/) read by pixel counts.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup run "$@"
W=1024 H=768

# The window sits at 0,0 at the screen's size (SDL may make it anew as it
# starts, so it is looked up each time) and hides the root, painted white.
at_screen_size() {
  local window
  window=$(e2e_window_of_pid "$SAVER_PID") && [ -n "$window" ] &&
    [ "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=//p' | xargs)" = "0 0 $W $H" ]
}
root_hidden() { e2e_screenshot "$1" && [ "$($PIXELS colour "$1" 255 255 255)" -lt 10000 ]; }

# "/s" fills the screen and draws a moving trail in its colour band; a key
# ends it with exit code 0 and leaves no process.
check_trail() {  # platform
  local p=$1 a=$ARTIFACTS/$1-a.png b=$ARTIFACTS/$1-b.png
  xsetroot -solid white  # what the window leaves uncovered shows in a shot
  saver_run "$p" trail "" /s
  wait_for at_screen_size; result "$p window at 0,0 with the screen's size" $?
  wait_for root_hidden "$a"; result "$p window covers the screen once drawn" $?
  wait_for frame_shown "$a" && wait_for shot_moved "$a" "$b" && [ "$($PIXELS off "$a")" -eq 0 ]
  result "$p /s draws a moving trail in its colour band" $?
  xdotool key x
  saver_ends "$p a key ends with exit code 0"
  e2e_poll 5 e2e_no_process_in "$RUN_DIR"; result "$p leaves no process" $?
  xsetroot -solid black
}

quick_saved() { [ "$(ini_keys "$1" "???" | cut -d= -f1 | tr '\n' ' ')" = "$QUICK_KEYS" ]; }
QUICK_KEYS="data00 data01 data02 data03 data04 data05 data06 data07 data08 data09 data10 data11 "

# F3: the notice, then "???" with exactly the twelve data keys (that the
# settings file stays as it was has a unit test). Alt, held until the saver has seen it, ends.
check_quick_save() {  # platform
  local p=$1 settings=$'name=ばね\nspeed=0\nmouse=24'
  saver_run "$p" quick "$settings" /s
  wait_for frame_shown "$ARTIFACTS/$p-quick-before.png" && xdotool key F3
  wait_for window_shown "映像保存"; result "$p F3 shows the notice" $?
  # Wine may keep the X focus on the owner and pass keys to the box itself.
  e2e_poll 5 focus_is "映像保存"
  xdotool key Return
  wait_for quick_saved "$RUN_DIR/action.ini"; result "$p F3 stores exactly data00..data11 in ???" $?
  wait_for focus_is "ぷるみゅら"
  xdotool keydown alt
  [ -n "$SAVER_PID" ] && wait_for e2e_gone "$SAVER_PID"
  xdotool keyup alt
  saver_ends "$p Alt ends with exit code 0"
}

# The anchor is where the cursor was at the first frame: 24 pixels stay, 25
# end (other thresholds and unreadable preset files have unit tests); a left
# click ends too.
check_mouse() {  # platform
  local p=$1
  saver_run "$p" mouse "" /s
  wait_for frame_shown "$ARTIFACTS/$p-mouse.png"
  xdotool mousemove 536 384
  saver_stays 3; result "$p a mouse move of 24 pixels does not end" $?
  xdotool mousemove 537 384
  saver_ends "$p a mouse move of 25 pixels ends with exit code 0"
  saver_run "$p" click "" /s
  wait_for frame_shown "$ARTIFACTS/$p-click.png" && xdotool click 1
  saver_ends "$p a left click ends with exit code 0"
}

run_platform() { check_trail "$1"; check_quick_save "$1"; check_mouse "$1"; }

on_platforms run_platform prumya prumya.scr
summary
