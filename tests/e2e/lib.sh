# Shared helpers for end-to-end checks (sourced): a private Xvfb, windows
# found by process id, geometry, screenshots, pixel counts by colour, waiting
# for a process to end, and leftover-process checks.

E2E_TIMEOUT=${PRUMYA_E2E_TIMEOUT:-30}
E2E_XVFB_PID=

# Starts a private X server (e.g. 1024x768x24) and exports DISPLAY. -noreset
# keeps the server (and the pointer) as it is between clients.
e2e_start_xvfb() {  # size
  local n i
  for n in $(seq 230 290); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 "$1" -noreset -nolisten tcp >/dev/null 2>&1 &
  E2E_XVFB_PID=$!
  export DISPLAY=":$n"
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# Two 1024x768 monitors side by side (the primary on the left), which Xvfb
# cannot do: the X server with the dummy driver, as root. Its config and log
# go to the given directory; stopped by e2e_stop_xvfb like an Xvfb.
e2e_start_two_monitors() {  # directory
  local n i
  for n in $(seq 300 360); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
  done
  mkdir -p "$1/conf.d"
  cat >"$1/xorg.conf" <<'CONF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 3000 1200
  EndSubSection
EndSection
CONF
  Xorg ":$n" -config "$1/xorg.conf" -configdir "$1/conf.d" -noreset -nolisten tcp \
    -logfile "$1/xorg.log" >/dev/null 2>&1 &
  E2E_XVFB_PID=$!
  export DISPLAY=":$n"
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    e2e_alive "$E2E_XVFB_PID" || break
    sleep 0.1
  done
  # The listing polls the outputs: before it, clients still find the second
  # one disconnected.
  xrandr --addmode DUMMY1 1024x768 &&
    xrandr --output DUMMY0 --mode 1024x768 --pos 0x0 --primary \
      --output DUMMY1 --mode 1024x768 --pos 1024x0 &&
    [ "$(xrandr --listmonitors | head -n1)" = "Monitors: 2" ] && return 0
  echo "no two-monitor X server on :$n (see $1/xorg.log)" >&2
  e2e_stop_xvfb
  return 1
}

e2e_stop_xvfb() {
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
  fi
  E2E_XVFB_PID=
}

# Polls a command until it succeeds or the time-out (seconds) passes.
e2e_poll() {  # seconds command...
  local deadline=$((SECONDS + $1))
  shift
  while [ $SECONDS -lt $deadline ]; do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# The first visible window of a process; prints its id.
e2e_window_of_pid() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n1; }
e2e_has_window() { [ -n "$(e2e_window_of_pid "$1")" ]; }
e2e_wait_window() {  # pid -> prints the window id (the one search that found it)
  local end=$((SECONDS + E2E_TIMEOUT)) w
  while [ "$SECONDS" -lt "$end" ]; do
    w=$(e2e_window_of_pid "$1")
    if [ -n "$w" ]; then echo "$w"; return 0; fi
    sleep 0.2
  done
  return 1
}

# Paints the root window white, so screen left uncovered shows in a shot
# (Xvfb's own root is black, like the saver's background); "black" puts a
# shared server back as it was.
e2e_paint_root() {  # white|black
  python3 -c '
import ctypes, ctypes.util, sys
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.restype = ctypes.c_ulong
pixel = x.XWhitePixel if sys.argv[1] == "white" else x.XBlackPixel
pixel.restype = ctypes.c_ulong
d = x.XOpenDisplay(None)
if not d:
    raise SystemExit(1)
root = x.XDefaultRootWindow(ctypes.c_void_p(d))
x.XSetWindowBackground(ctypes.c_void_p(d), ctypes.c_ulong(root), ctypes.c_ulong(pixel(ctypes.c_void_p(d), 0)))
x.XClearWindow(ctypes.c_void_p(d), ctypes.c_ulong(root))
x.XCloseDisplay(ctypes.c_void_p(d))' "$1"
}

e2e_screen_size() { xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2; exit }'; }

# "X Y WIDTH HEIGHT" of a window.
e2e_window_geometry() {  # window id
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=/\1=/p')"
  [ -n "${WIDTH:-}" ] || return 1
  echo "$X $Y $WIDTH $HEIGHT"
}

# The whole screen as a PNG, with the real ImageMagick (another `convert`
# may come first in PATH).
e2e_screenshot() {  # file
  if [ -x /usr/bin/import ]; then
    /usr/bin/import -window root "$1" 2>/dev/null && return 0
  fi
  xwd -root -silent | /usr/bin/convert xwd:- "$1" 2>/dev/null
}

# Frames drawn: the screen changes COUNT times in a row within the time-out,
# so the program has gone round its loop since whatever came before.
# Shots are raw dumps (compared byte for byte) in DIR.
e2e_frames_pass() {  # count dir
  local i
  xwd -root -silent >"$2/frame-0.xwd" 2>/dev/null || return 1
  for i in $(seq 1 "$1"); do
    e2e_poll "$E2E_TIMEOUT" e2e_screen_differs "$2/frame-$((i - 1)).xwd" "$2/frame-$i.xwd" || return 1
  done
}
e2e_screen_differs() {  # earlier-dump new-dump
  xwd -root -silent >"$2" 2>/dev/null && ! cmp -s "$1" "$2"
}

# Pixels of a colour (each channel within the tolerance) in a screenshot.
e2e_count_colour() {  # file r g b [tolerance]
  /usr/bin/convert "$1" -depth 8 rgb:- | python3 -c '
import sys
r, g, b, tol = (int(v) for v in sys.argv[1:5])
data = sys.stdin.buffer.read()
n = 0
for i in range(0, len(data) - 2, 3):
    if abs(data[i] - r) <= tol and abs(data[i + 1] - g) <= tol and abs(data[i + 2] - b) <= tol:
        n += 1
print(n)' "$2" "$3" "$4" "${5:-0}"
}

e2e_alive() { kill -0 "$1" 2>/dev/null; }
e2e_gone() { ! e2e_alive "$1"; }

# Waits for a child process to end; E2E_RC is its exit code. False on time-out.
e2e_wait_exit() {  # pid [seconds]
  E2E_RC=
  e2e_poll "${2:-$E2E_TIMEOUT}" e2e_gone "$1" || return 1
  wait "$1" 2>/dev/null
  E2E_RC=$?
}

# Ends a process that is still running (by its id only).
e2e_kill() {  # pid
  if e2e_alive "$1"; then
    kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
  fi
  return 0
}

# No process runs from, or names, the given directory.
e2e_no_process_in() {  # directory
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/cwd" 2>/dev/null)" = "$1" ] && return 1
    case "$(readlink "$p/exe" 2>/dev/null)" in "$1"/*) return 1 ;; esac
    { tr '\0' ' ' < "$p/cmdline"; } 2>/dev/null | grep -qF "$1" && return 1
  done
  return 0
}
