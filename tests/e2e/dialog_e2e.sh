#!/usr/bin/env bash
# End-to-end checks of the settings dialog on both platforms:
#   tests/e2e/dialog_e2e.sh LINUX_BUILD WINDOWS_BUILD
# Linux runs under a private Xvfb, Windows under Wine + Xvfb. Each port logs
# its dialogs' control rectangles (PRUMYA_DIALOG_LOG) so clicks land on the
# controls; message boxes are found by their titles. Screenshots of both
# dialogs go to build/e2e-artifacts/. Prints PASS/FAIL lines and a summary.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
LINUX_BUILD=${1:-$ROOT/build/linux}
WINDOWS_BUILD=${2:-$ROOT/build/windows}
ARTIFACTS=$ROOT/build/e2e-artifacts
mkdir -p "$ARTIFACTS"
source "$ROOT/tests/e2e/lib.sh"
source "$ROOT/tests/e2e/dialog_lib.sh"
source "$ROOT/scripts/lib/wine-env.sh"

passed=0
failed=0
result() {  # name status
  if [ "$2" -eq 0 ]; then echo "PASS $1"; passed=$((passed + 1)); else echo "FAIL $1"; failed=$((failed + 1)); fi
}

# Presets the checks rely on: a writable system preset, a read-only one whose
# margin lies beyond the slider's range, and a user preset.
prepare_dir() {  # dir
  rm -rf "$1" && mkdir -p "$1"
  write_cp932 "$1/actsys.ini" <<'EOF'
[* ぷるみゅら]
data00=64
readonly=1
[Alpha]
data00=100
data05=77
[Zeta]
data08=900
readonly=1
EOF
  write_cp932 "$1/action.ini" <<'EOF'
[Mine]
data00=300
EOF
}

check_open() {  # platform args...: the dialog opens, about box too, Esc leaves no file
  local p=$1; shift
  local dir=$WORK/$p-open$#
  prepare_dir "$dir"
  app_start "$p" "$dir" "$@" || return 1
  wait_ready 102 || return 1
  if [ $# -gt 0 ]; then
    shot "$ARTIFACTS/$p-settings.png"
    click_control 102 3 && wait_ready 103 || return 1
    shot "$ARTIFACTS/$p-about.png"
    key Return && wait_closed 103 && poll dialog_focused 102 || return 1
  fi
  key Escape && wait_closed 102 && app_wait || return 1
  [ ! -e "$dir/prumya.ini" ]
}

check_choose() {  # platform: a list choice loads the preset; OK stores it
  local p=$1 dir=$WORK/$1-choose
  prepare_dir "$dir"
  app_start "$p" "$dir" /c && wait_ready 102 || return 1
  open_list 102 && key Down && key Return && wait_list_closed || return 1
  click_control 102 0 && wait_closed 102 && app_wait || return 1
  ini_has "$dir/prumya.ini" action name Alpha &&
    ini_has "$dir/action.ini" Alpha data00 100 && ini_has "$dir/action.ini" Alpha data05 77
}

check_new_name() {  # platform: a typed new name and OK create it
  local p=$1 dir=$WORK/$1-new
  prepare_dir "$dir"
  app_start "$p" "$dir" /c && wait_ready 102 || return 1
  type_name 102 "Neue" || return 1
  click_control 102 0 && wait_closed 102 && app_wait || return 1
  ini_has "$dir/prumya.ini" action name Neue && ini_has "$dir/action.ini" Neue data00 64 &&
    [ "$(ini_keys "$dir/action.ini" Neue | wc -l)" -eq 12 ]
}

check_delete() {  # platform: Delete answered Yes removes the user preset, even on Cancel
  local p=$1 dir=$WORK/$1-delete
  prepare_dir "$dir"
  write_cp932 "$dir/prumya.ini" <<'EOF'
[action]
name=Mine
EOF
  app_start "$p" "$dir" /c && wait_ready 102 || return 1
  click_control 102 2 && wait_window "映像削除" && wait_focus "映像削除" || return 1
  key Return && wait_no_window "映像削除" && poll dialog_focused 102 || return 1
  key Escape && wait_closed 102 && app_wait || return 1
  ! ini_has_section "$dir/action.ini" Mine && ini_has "$dir/prumya.ini" action name "* ぷるみゅら"
}

check_refusal() {  # platform: OK on a read-only preset that differs is refused
  local p=$1 dir=$WORK/$1-refuse
  prepare_dir "$dir"
  write_cp932 "$dir/prumya.ini" <<'EOF'
[action]
name=Zeta
EOF
  app_start "$p" "$dir" /c && wait_ready 102 || return 1
  click_control 102 0 && wait_window_count "ぷるみゅら の設定" 2 || return 1
  shot "$ARTIFACTS/$p-refusal.png"
  poll box_over_focused 102 && key Return && wait_window_count "ぷるみゅら の設定" 1 || return 1
  ! grep -q "^closed 102" "$LOG" || return 1
  poll dialog_focused 102 && key Escape && wait_closed 102 2 && app_wait || return 1
  ! ini_has_section "$dir/action.ini" Zeta
}

check_over_saver() {  # platform: F1 opens the dialog over the saver; a colour change is noted
  local p=$1 dir=$WORK/$1-saver
  prepare_dir "$dir"
  app_start "$p" "$dir" /s && wait_window "ぷるみゅら" || return 1
  wait_focus "ぷるみゅら" && e2e_frames_pass 2 "$WORK" && app_alive ||
    { echo "  the saver did not run before F1" >&2; return 1; }
  press_until_ready F1 102 || return 1
  shot "$ARTIFACTS/$p-over-saver.png"
  click_control 102 60 && key Escape && wait_window "色数設定" && wait_focus "色数設定" || return 1
  key Return && wait_no_window "色数設定" && wait_closed 102 2 || return 1
  e2e_frames_pass 3 "$WORK" && app_alive || return 1  # the saver goes on after the dialog
  wait_focus "ぷるみゅら" && key Escape && app_wait
}

check_unconvertible() {  # Linux: a character without a Shift_JIS form is refused
  local dir=$WORK/linux-emoji
  prepare_dir "$dir"
  app_start linux "$dir" /c && wait_ready 102 || return 1
  type_name 102 "A😀" && wait_window_count "ぷるみゅら の設定" 2 || return 1
  poll box_over_focused 102 && key Return && wait_window_count "ぷるみゅら の設定" 1 || return 1
  poll dialog_focused 102 && click_control 102 0 && wait_closed 102 && app_wait || return 1
  ini_has "$dir/prumya.ini" action name A
}

check_long_name() {  # platform: 20 kana typed; the 16 that fit 32 bytes are stored whole
  local p=$1 dir=$WORK/$1-long
  local typed=あいうえおかきくけこさしすせそたちつてと kept=あいうえおかきくけこさしすせそた
  prepare_dir "$dir"
  app_start "$p" "$dir" /c && wait_ready 102 || return 1
  type_name 102 "$typed" || return 1
  click_control 102 0 && wait_closed 102 && app_wait || return 1
  ini_has "$dir/prumya.ini" action name "$kept" && [ "$(ini_keys "$dir/action.ini" "$kept" | wc -l)" -eq 12 ]
}

check_save_failure() {  # platform: OK whose settings file cannot be written says so
  local p=$1 dir=$WORK/$1-unwritable
  prepare_dir "$dir"
  mkdir "$dir/prumya.ini"  # a folder where the file should be: no write can reach it
  cp "$dir/action.ini" "$WORK/$p-action-before"
  app_start "$p" "$dir" /c && wait_ready 102 || return 1
  click_control 102 0 && wait_closed 102 && wait_window "保存エラー" || return 1
  shot "$ARTIFACTS/$p-save-failure.png"
  wait_focus "保存エラー" && key Return && app_wait || return 1
  [ -d "$dir/prumya.ini" ] && cmp -s "$dir/action.ini" "$WORK/$p-action-before"
}

run_platform() {  # platform
  local p=$1
  check_open "$p" /c; result "$p: /c opens the dialog and the about box" $?
  app_stop
  check_open "$p"; result "$p: an empty command line opens the dialog" $?
  app_stop
  check_choose "$p"; result "$p: choosing a preset moves the sliders" $?
  app_stop
  check_new_name "$p"; result "$p: a new name and OK create the preset" $?
  app_stop
  check_delete "$p"; result "$p: Delete with Yes removes the preset" $?
  app_stop
  check_refusal "$p"; result "$p: OK on a changed read-only preset is refused" $?
  app_stop
  check_save_failure "$p"; result "$p: a settings file that cannot be written is reported" $?
  app_stop
  check_over_saver "$p"; result "$p: F1 over the saver, colour notice once" $?
  app_stop
}

WORK=$(mktemp -d /tmp/prumya-dialog-e2e.XXXXXX)
cleanup() {
  app_stop
  [ -n "${LINUX_XVFB:-}" ] && kill "$LINUX_XVFB" 2>/dev/null
  [ -z "${PRUMYA_WINE_READY:-}" ] && [ -n "${WINE_UP:-}" ] && wine_env_down
  rm -rf "$WORK"
}
trap cleanup EXIT

# The trace is the end-to-end build's alone: the shipped modules never look
# for its file.
for shipped in "$LINUX_BUILD/prumya" "$WINDOWS_BUILD/prumya.scr"; do
  [ -f "$shipped" ] || continue
  ! grep -q PRUMYA_DIALOG_LOG "$shipped"; result "$(basename "$shipped") has no dialog log" $?
done

if [ -x "$LINUX_BUILD/prumya-e2e" ]; then
  OUTER_DISPLAY=${DISPLAY:-}
  start_private_xvfb || exit 1
  LINUX_XVFB=$XVFB_PID
  run_platform linux
  check_unconvertible; result "linux: a name without a Shift_JIS form is refused" $?
  app_stop
  check_long_name linux; result "linux: a long Japanese name is kept to its first 32 bytes" $?
  app_stop
  kill "$LINUX_XVFB" 2>/dev/null; LINUX_XVFB=
  export DISPLAY=$OUTER_DISPLAY
else
  result "linux: build present at $LINUX_BUILD" 1
fi

if [ -f "$WINDOWS_BUILD/prumya-e2e.scr" ]; then
  if [ -z "${PRUMYA_WINE_READY:-}" ]; then wine_env_up; WINE_UP=1; fi
  WINE_APP=$WINDOWS_BUILD/prumya-e2e.scr
  run_platform windows
else
  result "windows: build present at $WINDOWS_BUILD" 1
fi

# The two ports' dialogs next to each other, for a look.
for name in settings about; do
  if [ -f "$ARTIFACTS/linux-$name.png" ] && [ -f "$ARTIFACTS/windows-$name.png" ]; then
    convert "$ARTIFACTS/linux-$name.png" "$ARTIFACTS/windows-$name.png" +append \
      "$ARTIFACTS/side-by-side-$name.png" 2>/dev/null
  fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
