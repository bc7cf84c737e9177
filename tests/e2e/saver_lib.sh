# Helpers for running the saver end to end (sourced). Each run starts in a
# directory of its own holding a copy of the program and the shipped preset
# file from the build folder; screenshots are read by pixel counts.

SAVER_PID=
SAVER_RC=
E2E_TIMEOUT=${PRUMYA_E2E_TIMEOUT:-10}
PIXELS="python3 $(dirname "${BASH_SOURCE[0]}")/pixels.py"

to_cp932() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/'; }  # UTF-8 lines in, CRLF Shift_JIS out
ini_utf8() { iconv -f CP932 -t UTF-8 "$1" 2>/dev/null | tr -d '\r'; }

# The key names of one section, one a line (section names ignore case).
ini_key_names() {  # file section
  ini_utf8 "$1" | awk -v want="$2" '
    /^\[.*\]$/ { inside = (tolower(substr($0, 2, length($0) - 2)) == tolower(want)); next }
    inside && index($0, "=") { print substr($0, 1, index($0, "=") - 1) }'
}

# Polls a command until it succeeds or the time-out passes.
wait_for() {
  local deadline=$((SECONDS + E2E_TIMEOUT))
  while [ $SECONDS -lt $deadline ]; do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

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

saver_alive() { [ -n "$SAVER_PID" ] && kill -0 "$SAVER_PID" 2>/dev/null; }
saver_gone() { ! saver_alive; }

# Waits for the process to end; SAVER_RC is its exit code. False on time-out.
saver_wait() {
  wait_for saver_gone || return 1
  wait "$SAVER_PID" 2>/dev/null
  SAVER_RC=$?
  SAVER_PID=
}
saver_ended_ok() { saver_wait && [ "$SAVER_RC" -eq 0 ]; }

# Still running after the given seconds.
saver_stays() { sleep "$1"; saver_alive; }

# Ends a run that is still going: a key, then force.
saver_stop() {
  if saver_alive; then xdotool key q; saver_wait || { kill -9 "$SAVER_PID" 2>/dev/null; wait "$SAVER_PID" 2>/dev/null; }; fi
  SAVER_PID=
}

shot() { import -window root "$1" 2>/dev/null; }

# A frame with a trail is on the screen (lit pixels beyond the overlays).
frame_shown() {  # file
  shot "$1" || return 1
  local lit
  lit=$($PIXELS trail "$1" | sed -n 's/^lit=\([0-9]*\).*/\1/p')
  [ "${lit:-0}" -gt 100 ]
}
wait_frame() { wait_for frame_shown "$1"; }

# Field of the trail counts: lit, band or off.
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
