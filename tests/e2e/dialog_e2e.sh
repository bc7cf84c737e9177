#!/usr/bin/env bash
# End-to-end checks of the settings dialog on both platforms:
#   tests/e2e/dialog_e2e.sh LINUX_BUILD WINDOWS_BUILD
# Linux runs under a private Xvfb, Windows under Wine + Xvfb. Each port logs
# its dialogs' control rectangles (PRUMYA_DIALOG_LOG) so clicks land on the
# controls; message boxes are found by their titles. Screenshots go to
# build/e2e-artifacts/dialog/. Prints PASS/FAIL lines and a summary.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
e2e_setup dialog "$@"

# Presets the checks rely on: system ones, read-only or not, and a user one.
prepare_dir() {  # name: prints the directory
  local dir=$WORK/$1
  rm -rf "$dir" && mkdir -p "$dir"
  printf '%s\n' '[* ぷるみゅら]' data00=64 readonly=1 '[Alpha]' data00=100 data05=77 '[Zeta]' data08=900 readonly=1 |
    to_cp932 >"$dir/actsys.ini"
  printf '%s\n' '[Mine]' data00=300 | to_cp932 >"$dir/action.ini"
  echo "$dir"
}
ok_closes() { click_control 102 0 && wait_closed 102 && app_wait; }

check_open() {  # platform: the dialog opens, about box too, Esc leaves no file
  local dir
  dir=$(prepare_dir "$1-open")
  app_start "$1" "$dir" /c && wait_ready 102 || return 1
  e2e_screenshot "$ARTIFACTS/$1-settings.png"
  click_control 102 3 && wait_ready 103 || return 1
  e2e_screenshot "$ARTIFACTS/$1-about.png"
  xdotool key Return && wait_closed 103 && wait_for dialog_focused 102 || return 1
  xdotool key Escape && wait_closed 102 && app_wait && [ ! -e "$dir/prumya.ini" ]
}

# A list choice loads the preset's values; a typed name and OK store them as
# a new preset, every data key written.
check_choose_and_save() {  # platform
  local dir
  dir=$(prepare_dir "$1-choose")
  app_start "$1" "$dir" /c && wait_ready 102 || return 1
  open_list 102 && xdotool key Down && xdotool key Return && wait_list_closed && type_name 102 Neue && ok_closes || return 1
  ini_has "$dir/prumya.ini" action name Neue && [ "$(ini_key_count "$dir/action.ini" Neue)" -eq 12 ] &&
    ini_has "$dir/action.ini" Neue data00 100 && ini_has "$dir/action.ini" Neue data05 77
}

check_over_saver() {  # platform: F1 opens the dialog over the saver; a colour change is noted
  local dir
  dir=$(prepare_dir "$1-saver")
  app_start "$1" "$dir" /s && wait_for window_shown "ぷるみゅら" && wait_for focus_is "ぷるみゅら" &&
    e2e_frames_pass 2 "$WORK" && e2e_alive "$APP_PID" || return 1  # the saver runs before F1
  press_until_ready F1 102 || return 1
  e2e_screenshot "$ARTIFACTS/$1-over-saver.png"
  click_control 102 60 && xdotool key Escape && wait_for focus_is "色数設定" || return 1
  xdotool key Return && wait_for has_window_count "色数設定" 0 && wait_closed 102 2 || return 1
  e2e_frames_pass 3 "$WORK" && e2e_alive "$APP_PID" || return 1  # the saver goes on after the dialog
  wait_for focus_is "ぷるみゅら" && xdotool key Escape && app_wait
}

check_unconvertible() {  # Linux: a character without a Shift_JIS form is refused
  local dir
  dir=$(prepare_dir linux-emoji)
  app_start linux "$dir" /c && wait_ready 102 && type_name 102 "A😀" && wait_for has_window_count "ぷるみゅら の設定" 2 &&
    wait_for box_over_focused 102 && xdotool key Return && wait_for has_window_count "ぷるみゅら の設定" 1 &&
    wait_for dialog_focused 102 && ok_closes && ini_has "$dir/prumya.ini" action name A
}

run() { "$@"; result "$RUN_PLATFORM: $NAME" $?; app_stop; }
run_platform() {  # platform
  local p=$1
  RUN_PLATFORM=$p
  NAME="/c opens the dialog and the about box" run check_open "$p"
  NAME="a chosen preset saved under a new name" run check_choose_and_save "$p"
  NAME="F1 over the saver, colour notice once" run check_over_saver "$p"
  [ "$p" = windows ] || NAME="a name without a Shift_JIS form is refused" run check_unconvertible
}

on_platforms run_platform prumya-e2e prumya-e2e.scr
summary
