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
WORK=$(mktemp -d /tmp/prumya-dialog-e2e.XXXXXX)
mkdir -p "$ARTIFACTS"
source "$ROOT/tests/e2e/lib.sh"
source "$ROOT/tests/e2e/dialog_lib.sh"
trap 'app_stop; e2e_stop_xvfb; wine_env_down; rm -rf "$WORK"' EXIT

# Presets the checks rely on: a writable system preset, a read-only one whose
# margin lies beyond the slider's range, and a user preset; and the settings.
prepare_dir() {  # name [settings line]: prints the directory
  local dir=$WORK/$1
  rm -rf "$dir" && mkdir -p "$dir"
  printf '%s\n' '[* ぷるみゅら]' data00=64 readonly=1 '[Alpha]' data00=100 data05=77 '[Zeta]' data08=900 readonly=1 |
    to_cp932 >"$dir/actsys.ini"
  printf '%s\n' '[Mine]' data00=300 | to_cp932 >"$dir/action.ini"
  [ -z "${2:-}" ] || printf '%s\n' '[action]' "$2" | to_cp932 >"$dir/prumya.ini"
  echo "$dir"
}
ok_closes() { click_control 102 0 && wait_closed 102 && app_wait; }

check_open() {  # platform args...: the dialog opens, about box too, Esc leaves no file
  local p=$1 dir
  shift
  dir=$(prepare_dir "$p-open$#")
  app_start "$p" "$dir" "$@" && wait_ready 102 || return 1
  if [ $# -gt 0 ]; then
    shot "$ARTIFACTS/$p-settings.png"
    click_control 102 3 && wait_ready 103 || return 1
    shot "$ARTIFACTS/$p-about.png"
    key Return && wait_closed 103 && poll dialog_focused 102 || return 1
  fi
  key Escape && wait_closed 102 && app_wait && [ ! -e "$dir/prumya.ini" ]
}

check_choose() {  # platform: a list choice loads the preset; OK stores it
  local dir
  dir=$(prepare_dir "$1-choose")
  app_start "$1" "$dir" /c && wait_ready 102 || return 1
  open_list 102 && key Down && key Return && wait_list_closed && ok_closes || return 1
  ini_has "$dir/prumya.ini" action name Alpha && ini_has "$dir/action.ini" Alpha data00 100 &&
    ini_has "$dir/action.ini" Alpha data05 77
}

check_new_name() {  # platform name kept: a typed name and OK create the preset
  local dir
  dir=$(prepare_dir "$1-new")
  app_start "$1" "$dir" /c && wait_ready 102 && type_name 102 "$2" && ok_closes || return 1
  ini_has "$dir/prumya.ini" action name "$3" && [ "$(ini_key_count "$dir/action.ini" "$3")" -eq 12 ]
}

check_delete() {  # platform: Delete answered Yes removes the user preset, even on Cancel
  local dir
  dir=$(prepare_dir "$1-delete" name=Mine)
  app_start "$1" "$dir" /c && wait_ready 102 || return 1
  click_control 102 2 && wait_for focus_is "映像削除" && key Return && wait_window_count "映像削除" 0 || return 1
  poll dialog_focused 102 && key Escape && wait_closed 102 && app_wait || return 1
  ! ini_has_section "$dir/action.ini" Mine && ini_has "$dir/prumya.ini" action name "* ぷるみゅら"
}

check_refusal() {  # platform: OK on a read-only preset that differs is refused
  local dir
  dir=$(prepare_dir "$1-refuse" name=Zeta)
  app_start "$1" "$dir" /c && wait_ready 102 || return 1
  click_control 102 0 && wait_window_count "ぷるみゅら の設定" 2 || return 1
  shot "$ARTIFACTS/$1-refusal.png"
  poll box_over_focused 102 && key Return && wait_window_count "ぷるみゅら の設定" 1 || return 1
  ! grep -q "^closed 102" "$LOG" || return 1
  poll dialog_focused 102 && key Escape && wait_closed 102 2 && app_wait && ! ini_has_section "$dir/action.ini" Zeta
}

check_save_failure() {  # platform: OK whose settings file cannot be written says so
  local dir
  dir=$(prepare_dir "$1-unwritable")
  mkdir "$dir/prumya.ini"  # a folder where the file should be: no write can reach it
  cp "$dir/action.ini" "$WORK/$1-action-before"
  app_start "$1" "$dir" /c && wait_ready 102 && click_control 102 0 && wait_closed 102 &&
    wait_for window_shown "保存エラー" || return 1
  shot "$ARTIFACTS/$1-save-failure.png"
  wait_for focus_is "保存エラー" && key Return && app_wait || return 1
  [ -d "$dir/prumya.ini" ] && cmp -s "$dir/action.ini" "$WORK/$1-action-before"
}

check_over_saver() {  # platform: F1 opens the dialog over the saver; a colour change is noted
  local dir
  dir=$(prepare_dir "$1-saver")
  app_start "$1" "$dir" /s && wait_for window_shown "ぷるみゅら" && wait_for focus_is "ぷるみゅら" &&
    e2e_frames_pass 2 "$WORK" && app_alive || { echo "  the saver did not run before F1" >&2; return 1; }
  press_until_ready F1 102 || return 1
  shot "$ARTIFACTS/$1-over-saver.png"
  click_control 102 60 && key Escape && wait_for focus_is "色数設定" || return 1
  key Return && wait_window_count "色数設定" 0 && wait_closed 102 2 || return 1
  e2e_frames_pass 3 "$WORK" && app_alive || return 1  # the saver goes on after the dialog
  wait_for focus_is "ぷるみゅら" && key Escape && app_wait
}

check_unconvertible() {  # Linux: a character without a Shift_JIS form is refused
  local dir
  dir=$(prepare_dir linux-emoji)
  app_start linux "$dir" /c && wait_ready 102 && type_name 102 "A😀" && wait_window_count "ぷるみゅら の設定" 2 &&
    poll box_over_focused 102 && key Return && wait_window_count "ぷるみゅら の設定" 1 &&
    poll dialog_focused 102 && ok_closes && ini_has "$dir/prumya.ini" action name A
}

run() { "$@"; result "$RUN_PLATFORM: $NAME" $?; app_stop; }
run_platform() {  # platform
  local p=$1
  RUN_PLATFORM=$p
  NAME="/c opens the dialog and the about box" run check_open "$p" /c
  NAME="an empty command line opens the dialog" run check_open "$p"
  NAME="choosing a preset moves the sliders" run check_choose "$p"
  NAME="a new name and OK create the preset" run check_new_name "$p" Neue Neue
  NAME="Delete with Yes removes the preset" run check_delete "$p"
  NAME="OK on a changed read-only preset is refused" run check_refusal "$p"
  NAME="a settings file that cannot be written is reported" run check_save_failure "$p"
  NAME="F1 over the saver, colour notice once" run check_over_saver "$p"
}

# The trace is the end-to-end build's alone: the shipped modules never look
# for its file.
for shipped in "$LINUX_BUILD/prumya" "$WINDOWS_BUILD/prumya.scr"; do
  [ -f "$shipped" ] || continue
  ! grep -q PRUMYA_DIALOG_LOG "$shipped"; result "$(basename "$shipped") has no dialog log" $?
done

if [ -x "$LINUX_BUILD/prumya-e2e" ]; then
  e2e_start_xvfb 1024x768x24 || exit 1
  run_platform linux
  NAME="a name without a Shift_JIS form is refused" run check_unconvertible
  # Twenty kana typed: the sixteen that fit 32 bytes are stored whole.
  NAME="a long Japanese name is kept to its first 32 bytes" run check_new_name linux \
    あいうえおかきくけこさしすせそたちつてと あいうえおかきくけこさしすせそた
  e2e_stop_xvfb
else
  result "linux: build present at $LINUX_BUILD" 1
fi
if [ -f "$WINDOWS_BUILD/prumya-e2e.scr" ]; then
  wine_env_up && run_platform windows
else
  result "windows: build present at $WINDOWS_BUILD" 1
fi

# The two ports' dialogs next to each other, for a look.
for name in settings about; do
  [ -f "$ARTIFACTS/linux-$name.png" ] && [ -f "$ARTIFACTS/windows-$name.png" ] &&
    convert "$ARTIFACTS/linux-$name.png" "$ARTIFACTS/windows-$name.png" +append "$ARTIFACTS/side-by-side-$name.png" 2>/dev/null
done
summary
