# Helpers for driving the settings dialog end to end (sourced). The app (the
# end-to-end build, prumya-e2e, copied in as the shipped name) runs in a
# directory of its own with its INI files; its dialogs log their control
# rectangles to $LOG (PRUMYA_DIALOG_LOG), which click_control reads.

APP_PID=
LOG=
CONSUMED=0          # log lines already taken by wait_ready
declare -A RECTS    # "templateId:index" -> "left top right bottom"
TIMEOUT=${PRUMYA_E2E_TIMEOUT:-30}

write_cp932() { iconv -f UTF-8 -t CP932 > "$1"; }  # stdin, UTF-8 text, to a CP932 file
ini_text() { iconv -f CP932 -t UTF-8 "$1" 2>/dev/null | tr -d '\r'; }

# The keys of one section, as key=value lines (section names ignore case).
ini_keys() {  # file section
  ini_text "$1" | awk -v want="$2" '
    /^\[.*\]$/ { inside = (tolower(substr($0, 2, length($0) - 2)) == tolower(want)); next }
    inside && index($0, "=") { print }'
}
ini_has_section() { ini_text "$1" | grep -qiF "[$2]"; }
ini_has() { ini_keys "$1" "$2" | grep -qxF "$3=$4"; }  # file section key value

start_private_xvfb() {  # exports DISPLAY, sets XVFB_PID
  local n
  for n in $(seq 160 220); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# Polls a condition (a command) until it holds or the time-out passes.
poll() {
  local deadline=$((SECONDS + TIMEOUT))
  while [ $SECONDS -lt $deadline ]; do
    "$@" && return 0
    sleep 0.1
  done
  echo "  timed out: $*" >&2
  return 1
}

app_start() {  # platform dir args...
  local platform=$1 dir=$2; shift 2
  LOG=$dir/dialog.log
  CONSUMED=0
  RECTS=()
  rm -f "$LOG"
  if [ "$platform" = linux ]; then
    cp "$LINUX_BUILD/prumya-e2e" "$dir/prumya"
    (cd "$dir" && PRUMYA_DIALOG_LOG=$LOG exec ./prumya "$@") >"$dir/out.txt" 2>&1 &
  else
    cp "$WINE_APP" "$dir/prumya.scr"
    local winlog
    winlog=$(winepath -w "$LOG" 2>/dev/null)
    (cd "$dir" && PRUMYA_DIALOG_LOG=$winlog exec wine ./prumya.scr "$@") >"$dir/out.txt" 2>&1 &
  fi
  APP_PID=$!
}

app_alive() { [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; }
app_gone() { ! app_alive; }
app_wait() { poll app_gone && APP_PID=; }
app_stop() {
  if app_alive; then kill -9 "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null; fi
  APP_PID=
}

log_lines() { [ -f "$LOG" ] && tr -d '\r' < "$LOG" || true; }

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
# The window that has the keyboard, and its title.
focused_window() { xdotool getwindowfocus 2>/dev/null; }
focused_title() {
  local f
  f=$(focused_window) && [ -n "$f" ] && xdotool getwindowname "$f" 2>/dev/null
}
has_focus() { [ "$(focused_title)" = "$1" ]; }  # title
wait_focus() { poll has_focus "$1"; }

declare -A TITLES=([102]="ぷるみゅら の設定" [103]="ぷるみゅら のバージョン情報")
declare -A DIALOG_WINDOW  # templateId -> its window, once ready

# The log line comes as the dialog is set up; it is ready for input once
# its window has the keyboard.
dialog_focused() {  # templateId
  has_focus "${TITLES[$1]}" || return 1
  DIALOG_WINDOW[$1]=$(focused_window)
}
wait_ready() { poll ready_seen "$1" && poll dialog_focused "$1"; }

# A message box over a dialog of the same title has the keyboard.
box_over_focused() {  # templateId
  local f
  f=$(focused_window)
  [ -n "$f" ] && [ "$f" != "${DIALOG_WINDOW[$1]:-}" ] && has_focus "${TITLES[$1]}"
}

# A key that opens a dialog, pressed again if the window it went to was not
# ready for it yet.
press_until_ready() {  # key templateId
  local i
  for i in 1 2 3; do
    key "$1"
    TIMEOUT=5 poll ready_seen "$2" 2>/dev/null && { poll dialog_focused "$2"; return; }
  done
  echo "  $1 opened no dialog $2" >&2
  return 1
}

closed_seen() { log_lines | grep -qE "^closed $1 ${2:-[-0-9]+}\$"; }
wait_closed() { poll closed_seen "$@"; }

click_control() {  # templateId index
  local rect=${RECTS["$1:$2"]:-}
  [ -n "$rect" ] || { echo "  no rectangle for control $2 of $1" >&2; return 1; }
  set -- $rect
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) click 1
}

visible_windows() { xdotool search --onlyvisible --name "" 2>/dev/null | wc -l; }
more_windows_than() { [ "$(visible_windows)" -gt "$1" ]; }

# Drops the preset list open with its arrow button (right end of the box);
# the list is a window of its own.
open_list() {  # templateId
  local before
  before=$(visible_windows)
  set -- ${RECTS["$1:7"]}
  xdotool mousemove $(($3 - 6)) $((($2 + $4) / 2)) click 1
  poll more_windows_than "$before" && LIST_BASE=$before
}
# The list has gone again (it holds the pointer while open).
list_closed() { [ "$(visible_windows)" -le "${LIST_BASE:-0}" ]; }
wait_list_closed() { poll list_closed; }

# Replaces the preset name field's text by typing.
type_name() {  # templateId text
  local text=$2
  set -- ${RECTS["$1:7"]}
  xdotool mousemove $(($1 + 12)) $((($2 + $4) / 2)) click 1 &&
    xdotool key Home shift+End && LC_ALL=C.UTF-8 xdotool type --delay 50 "$text"
}

# Keys go to the window that has the keyboard: callers wait for it first.
key() { xdotool key "$@"; }

# Visible windows titled exactly so (xdotool's own name search misses
# non-ASCII titles, so the names are compared here).
window_count() {
  local w n=0
  for w in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && n=$((n + 1))
  done
  echo "$n"
}
has_window_count() { [ "$(window_count "$1")" -eq "$2" ]; }
wait_window() { poll has_window_count "$1" 1; }
wait_no_window() { poll has_window_count "$1" 0; }
wait_window_count() { poll has_window_count "$1" "$2"; }

shot() { import -window root "$1" 2>/dev/null; }
