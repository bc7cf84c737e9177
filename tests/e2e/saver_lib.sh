# Saver helpers over lib.sh (sourced after it). Each run starts in a
# directory of its own holding a copy of the program and the shipped preset
# file from the build folder; screenshots are read by pixel counts.

SAVER_PID=
SAVER_RC=
SAVER_TIMEOUT=${PRUMYA_E2E_TIMEOUT:-10}
PIXELS="python3 $(dirname "${BASH_SOURCE[0]}")/pixels.py"

to_cp932() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }  # UTF-8 lines in, CRLF Shift_JIS out
ini_utf8() { iconv -f CP932 -t UTF-8 "$1" 2>/dev/null | tr -d '\r'; }

# The key names of one section, one a line (section names ignore case).
ini_key_names() {  # file section
  ini_utf8 "$1" | awk -v want="$2" '
    /^\[.*\]$/ { inside = (tolower(substr($0, 2, length($0) - 2)) == tolower(want)); next }
    inside && index($0, "=") { print substr($0, 1, index($0, "=") - 1) }'
}

wait_for() { e2e_poll "$SAVER_TIMEOUT" "$@"; }

# A fresh run directory with the program and actsys.ini from the build.
saver_dir() {  # platform name -> prints the directory
  local dir=$WORK/$1-$2 build
  rm -rf "$dir" && mkdir -p "$dir"
  if [ "$1" = linux ]; then build=$LINUX_BUILD; cp "$build/prumya" "$dir/"
  else build=$WINDOWS_BUILD; cp "$build/prumya.scr" "$dir/"; fi
  cp "$build/actsys.ini" "$dir/" 2>/dev/null || cp "$ROOT/resources/actsys.ini" "$dir/"
  echo "$dir"
}

saver_start() {  # platform dir args...
  local platform=$1 dir=$2; shift 2
  SAVER_RC=
  xdotool mousemove 512 384
  if [ "$platform" = linux ]; then
    (cd "$dir" && exec ./prumya "$@") >"$dir/out.txt" 2>&1 &
  else
    (cd "$dir" && exec wine ./prumya.scr "$@") >"$dir/out.txt" 2>&1 &
  fi
  SAVER_PID=$!
}

saver_alive() { [ -n "$SAVER_PID" ] && e2e_alive "$SAVER_PID"; }

# Waits for the run to end with exit code 0 (SAVER_RC holds the code).
saver_ended_ok() {
  [ -n "$SAVER_PID" ] && e2e_wait_exit "$SAVER_PID" "$SAVER_TIMEOUT" || return 1
  SAVER_RC=$E2E_RC SAVER_PID=
  [ "$SAVER_RC" -eq 0 ]
}

# Still running after drawing the given number of frames.
saver_stays() { e2e_frames_pass "$1" "$WORK" && saver_alive; }

# Ends a run that is still going: a key first, then by force.
saver_stop() {
  if saver_alive; then
    xdotool key q
    e2e_wait_exit "$SAVER_PID" "$SAVER_TIMEOUT" || e2e_kill "$SAVER_PID"
  fi
  SAVER_PID=
}

shot() { e2e_screenshot "$1"; }

# A frame with a trail is on the screen.
frame_shown() {  # file
  shot "$1" || return 1
  [ "$(trail_count "$1" lit)" -gt 100 ]
}
wait_frame() { wait_for frame_shown "$1"; }
# A later shot differs from an earlier one.
shot_moved() {  # earlier later
  shot "$2" && [ "$($PIXELS diff "$1" "$2")" -gt 0 ]
}

# The window that has the keyboard has this title.
focus_is() {  # title
  local f
  f=$(xdotool getwindowfocus 2>/dev/null) && [ -n "$f" ] && [ "$(xdotool getwindowname "$f" 2>/dev/null)" = "$1" ]
}

# One of the trail counts of a shot: lit, band or off.
trail_count() { $PIXELS trail "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

# A mapped window of that title. GTK sets only _NET_WM_NAME, which a name
# search does not match, so every mapped window's title is compared.
window_shown() {  # title
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && return 0
  done
  return 1
}
