#!/usr/bin/env bash
# Display faults in the running Linux saver: prumya-faults (the saver with a
# fault plan on its software display, PRUMYA_FAULTS) under a private Xvfb.
# Each failing init step must be reported in a "QRX Inside Error" box (closed
# here with Enter), after which the saver goes on or ends cleanly; faults
# while running (failing calls, surfaces lost every N frames) must not stop
# it, and lost surfaces must come back. Every run ends with exit code 0 on a
# key, and nothing may crash.
#   scripts/test.d/faults.sh LINUX_BUILD [WINDOWS_BUILD]
if [ -n "${PRUMYA_TEST_QUICK:-}" ]; then
  echo "skipped under PRUMYA_TEST_QUICK"
  echo "0 passed, 0 failed"
  exit 0
fi
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
LINUX_BUILD=${1:-$ROOT/build/linux}
source "$ROOT/tests/e2e/lib.sh"
BOX_TITLE="QRX Inside Error"

WORK=$(mktemp -d /tmp/prumya-faults.XXXXXX)
PID=
passed=0
failed=0
cleanup() {
  [ -n "$PID" ] && e2e_kill "$PID"
  e2e_stop_xvfb
  rm -rf "$WORK"
}
trap cleanup EXIT
check() {  # name status
  if [ "$2" -eq 0 ]; then echo "PASS $1"; passed=$((passed + 1)); else echo "FAIL $1"; failed=$((failed + 1)); fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

if [ ! -x "$LINUX_BUILD/prumya-faults" ]; then
  echo "missing $LINUX_BUILD/prumya-faults (built with the linux preset)"
  failed=1
  finish
fi
mkdir -p "$WORK/run" "$WORK/home"
cp "$LINUX_BUILD/prumya-faults" "$WORK/run/"
cp "$LINUX_BUILD/actsys.ini" "$WORK/run/" 2>/dev/null || cp "$ROOT/resources/actsys.ini" "$WORK/run/"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$WORK/home/.asoundrc"
export HOME=$WORK/home
e2e_start_xvfb 1024x768x24 || { failed=1; finish; }

windows_of() { xdotool search --onlyvisible --pid "$PID" 2>/dev/null; }
title_of() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^[^"]*"\(.*\)"$/\1/p'; }
focused() { xdotool getwindowfocus 2>/dev/null; }

# The error box that has the keyboard, if any; prints its window.
focused_box() {
  local f
  f=$(focused)
  [ -n "$f" ] && windows_of | grep -qx "$f" && [ "$(title_of "$f")" = "$BOX_TITLE" ] && echo "$f"
}
box_up() { [ -n "$(focused_box)" ]; }
window_gone() { ! windows_of | grep -qx "$1"; }
saver_focused() {
  local f
  f=$(focused)
  [ "$(windows_of | wc -l)" -eq 1 ] && windows_of | grep -qx "$f"
}

# Closes every error box as it comes (Enter, once the box has the
# keyboard); BOXES counts them. Stops when none has come for a while or the
# saver has ended.
close_boxes() {
  local box
  BOXES=0
  while e2e_alive "$PID" && e2e_poll 3 box_up; do
    box=$(focused_box)
    xdotool key Return
    e2e_poll 10 window_gone "$box" || return 1
    BOXES=$((BOXES + 1))
  done
}

# Pixels of the screen bright enough to be trail.
lit_pixels() {
  e2e_screenshot "$WORK/shot.png" || { echo 0; return; }
  /usr/bin/convert "$WORK/shot.png" -depth 8 rgb:- | python3 -c '
import sys
d = sys.stdin.buffer.read()
print(sum(1 for i in range(0, len(d) - 2, 3) if max(d[i], d[i + 1], d[i + 2]) > 100))'
}
trail_shown() { [ "$(lit_pixels)" -gt 200 ]; }

# Ends a saver still running with a key; true on exit code 0.
end_with_key() {
  e2e_alive "$PID" || { wait "$PID" 2>/dev/null; RC=$?; PID=; return $((RC != 0)); }
  e2e_poll 10 saver_focused
  xdotool key q
  if e2e_wait_exit "$PID" 10; then RC=$E2E_RC; else e2e_kill "$PID"; RC=killed; fi
  PID=
  [ "$RC" = 0 ]
}

start() {  # plan colour
  printf '[action]\r\nname=A\r\nmouse=0\r\ntime=1\r\nfps=1\r\ncolor=%s\r\n' "$2" >"$WORK/run/prumya.ini"
  : >"$WORK/out.txt"
  rm -f "$WORK/then.xwd"
  xdotool mousemove 512 384
  (cd "$WORK/run" && PRUMYA_FAULTS=$1 exec ./prumya-faults /s) >"$WORK/out.txt" 2>&1 &
  PID=$!
  e2e_poll 20 e2e_has_window "$PID"
}

# After its boxes the saver goes on: it has ended by itself, its window has
# the keyboard back (a display that failed to start shows nothing), or the
# screen changes (a frame drawn).
went_on() {
  e2e_gone "$PID" || saver_focused && return 0
  xwd -root -silent >"$WORK/now.xwd" 2>/dev/null || return 1
  [ -f "$WORK/then.xwd" ] && ! cmp -s "$WORK/then.xwd" "$WORK/now.xwd" && return 0
  mv "$WORK/now.xwd" "$WORK/then.xwd"
  return 1
}
lost_once() { grep -aq 'surfaces lost first' "$WORK/out.txt"; }

no_crash_output() { ! grep -aE 'runtime error|Sanitizer|Segmentation|Aborted|CRITICAL|unknown fault' "$WORK/out.txt"; }

# A failing init step: reported in at least one box, then the saver goes on
# (or has ended cleanly by itself).
init_fault() {  # plan colour
  local name="init fault $1 (color=$2)"
  start "$1" "$2"
  check "$name: the saver starts" $?
  close_boxes
  check "$name: error boxes closed ($BOXES)" $?
  [ "$BOXES" -ge 1 ]
  check "$name: reported as \"$BOX_TITLE\"" $?
  e2e_poll 10 went_on
  end_with_key
  check "$name: goes on and ends cleanly (exit $RC)" $?
  no_crash_output
  check "$name: no crash output" $?
}

# A fault while running: no box, the saver keeps drawing.
run_fault() {  # plan colour expect-trail
  local name="running with $1 (color=$2)"
  start "$1" "$2"
  check "$name: the saver starts" $?
  # Until the fault has struck: the first loss, frames drawn past the failing
  # calls, or (nothing drawn) the keyboard with the saver and no box.
  if [ "${1#lose=}" != "$1" ]; then e2e_poll 20 lost_once
  elif [ "$3" = trail ]; then e2e_frames_pass 3 "$WORK"
  else e2e_poll 10 saver_focused; fi
  [ -z "$(focused_box)" ] && e2e_alive "$PID"
  check "$name: keeps running without a report" $?
  if [ "$3" = trail ]; then
    e2e_poll 10 trail_shown
    check "$name: frames still shown" $?
  fi
  end_with_key
  check "$name: ends cleanly on a key (exit $RC)" $?
  if [ "${1#lose=}" != "$1" ]; then
    grep -aqE 'surfaces lost [1-9][0-9]* times' "$WORK/out.txt"
    check "$name: surfaces were lost ($(grep -aoE 'lost [0-9]+ times' "$WORK/out.txt"))" $?
  fi
  no_crash_output
  check "$name: no crash output" $?
}

for plan in create cooperative mode16 surface=1 surface=2 surface=3 pixelformat surface=4; do
  init_fault "$plan" 0
done
init_fault mode32 1
init_fault create,surface=4 1
for plan in lose=1 lose=7 lose=60 colourkey lock; do
  run_fault "$plan" 0 trail
done
run_fault lose=5 1 trail
run_fault getdc 0 none
finish
