# Driving the settings dialog end to end (sourced after lib.sh). The app (the
# end-to-end build, prumya-e2e, copied in as the shipped name) runs in a
# directory of its own with its INI files; its dialogs log their control
# rectangles to $LOG (PRUMYA_DIALOG_LOG), which click_control reads.

APP_PID=
LOG=
CONSUMED=0          # log lines already taken by wait_ready
declare -A RECTS    # "templateId:index" -> "left top right bottom"
declare -A TITLES=([102]="ぷるみゅら の設定" [103]="ぷるみゅら のバージョン情報")
declare -A DIALOG_WINDOW  # templateId -> its window, once ready

app_start() {  # platform dir args...: the end-to-end build as the shipped name
  local log
  log_reset "$2/dialog.log"
  if [ "$1" = linux ]; then
    cp "$LINUX_BUILD/prumya-e2e" "$2/prumya" && log=$LOG
  else
    cp "$WINDOWS_BUILD/prumya-e2e.scr" "$2/prumya.scr" && log=$(winepath -w "$LOG" 2>/dev/null)
  fi
  PRUMYA_DIALOG_LOG=$log saver_start "$@"
  APP_PID=$SAVER_PID SAVER_PID=
}
log_reset() { LOG=$1 CONSUMED=0 RECTS=(); rm -f "$LOG"; }  # a new dialog log, nothing taken
app_wait() { wait_for e2e_gone "$APP_PID" && APP_PID=; }
app_stop() { [ -n "$APP_PID" ] && e2e_kill "$APP_PID"; APP_PID=; }

log_lines() { [ -f "$LOG" ] && tr -d '\r' <"$LOG" || true; }

# A "ready ID" line after the ones already taken; takes the block's rectangles.
ready_seen() {
  local id=$1 line
  line=$(log_lines | awk -v from="$CONSUMED" -v id="$id" 'NR > from && $1 == "ready" && $2 == id { print NR; exit }')
  [ -n "$line" ] || return 1
  while read -r kind index _ l t r b; do
    [ "$kind" = control ] && RECTS["$id:$index"]="$l $t $r $b"
  done < <(log_lines | awk -v from="$CONSUMED" -v to="$line" 'NR > from && NR < to')
  CONSUMED=$line
}
# The log line comes as the dialog is set up; it is ready for input once
# its window has the keyboard.
dialog_focused() { focus_is "${TITLES[$1]}" && DIALOG_WINDOW[$1]=$(focused_window); }  # templateId
wait_ready() { wait_for ready_seen "$1" && wait_for dialog_focused "$1"; }
# A message box over a dialog of the same title has the keyboard.
box_over_focused() { [ "$(focused_window)" != "${DIALOG_WINDOW[$1]:-}" ] && focus_is "${TITLES[$1]}"; }

# A key that opens a dialog, pressed again if the window it went to was not
# ready for it yet.
press_until_ready() {  # key templateId
  local i
  for i in 1 2 3; do
    xdotool key "$1"
    e2e_poll 5 ready_seen "$2" && { wait_for dialog_focused "$2"; return; }
  done
  return 1
}

closed_seen() { log_lines | grep -qE "^closed $1 ${2:-[-0-9]+}\$"; }
wait_closed() { wait_for closed_seen "$@"; }

click_control() {  # templateId index
  local rect=${RECTS["$1:$2"]:-}
  [ -n "$rect" ] || { echo "  no rectangle for control $2 of $1" >&2; return 1; }
  set -- $rect
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) click 1
}

# Drops the preset list open with its arrow button (right end of the box);
# the list is a window of its own, gone again once closed.
visible_windows() { xdotool search --onlyvisible --name "" 2>/dev/null | wc -l; }
more_windows_than() { [ "$(visible_windows)" -gt "$1" ]; }
open_list() {  # templateId
  LIST_BASE=$(visible_windows)
  set -- ${RECTS["$1:7"]}
  xdotool mousemove $(($3 - 6)) $((($2 + $4) / 2)) click 1
  wait_for more_windows_than "$LIST_BASE"
}
wait_list_closed() { wait_for eval '[ "$(visible_windows)" -le "${LIST_BASE:-0}" ]'; }

# Replaces the preset name field's text by typing.
type_name() {  # templateId text
  local text=$2
  set -- ${RECTS["$1:7"]}
  xdotool mousemove $(($1 + 12)) $((($2 + $4) / 2)) click 1 &&
    xdotool key Home shift+End && LC_ALL=C.UTF-8 xdotool type --delay 50 "$text"
}
