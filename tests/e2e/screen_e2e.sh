#!/usr/bin/env bash
# The Linux saver as a screen saver, on two monitors side by side (the X
# server with the dummy driver; needs root):
#   tests/e2e/screen_e2e.sh LINUX_BUILD [WINDOWS_BUILD]
# The trail on the primary monitor and the other one black; a pointer move on
# the other monitor ends, and so does a click there; the first key once the
# screen is black ends; SIGTERM with the settings dialog open ends with exit
# code 0 and leaves the INI files as they were. Screenshots go to build/e2e-artifacts/screen/.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup screen "$@"

# Two 1024x768 monitors, the primary on the left, which Xvfb cannot do: Xorg
# with the dummy driver, its config and log in the given directory.
start_two_monitors() {  # directory
  mkdir -p "$1/conf.d"
  printf '%s\n' 'Section "ServerFlags"' '  Option "AutoAddDevices" "false"' '  Option "DontVTSwitch" "true"' \
    'EndSection' 'Section "Device"' '  Identifier "dummy"' '  Driver "dummy"' '  VideoRam 256000' 'EndSection' \
    'Section "Monitor"' '  Identifier "monitor"' '  HorizSync 5.0-1000.0' '  VertRefresh 5.0-200.0' 'EndSection' \
    'Section "Screen"' '  Identifier "screen"' '  Device "dummy"' '  Monitor "monitor"' '  DefaultDepth 24' \
    '  SubSection "Display"' '    Depth 24' '    Virtual 3000 1200' '  EndSubSection' 'EndSection' >"$1/xorg.conf"
  x_server_start Xorg -config "$1/xorg.conf" -configdir "$1/conf.d" -noreset -nolisten tcp -logfile "$1/xorg.log"
  E2E_XVFB_PID=$PRUMYA_XVFB_PID
  # The listing polls the outputs: before it, clients still find the second one disconnected.
  xrandr --addmode DUMMY1 1024x768 &&
    xrandr --output DUMMY0 --mode 1024x768 --pos 0x0 --primary --output DUMMY1 --mode 1024x768 --pos 1024x0 &&
    [ "$(xrandr --listmonitors | head -n1)" = "Monitors: 2" ] && return 0
  echo "no two-monitor X server on ${DISPLAY:-no display} (see $1/xorg.log)" >&2
  return 1
}

part() { /usr/bin/convert "$1" -crop "1024x768+$2+0" +repage "$WORK/$3.png"; }  # shot x-offset name
# Black from the moment the window maps (the root is painted white before
# each start, so what the saver leaves uncovered shows) ...
primary_black() { e2e_screenshot "$1" && part "$1" 0 primary && [ "$($PIXELS colour "$WORK/primary.png" 255 255 255)" -eq 0 ]; }
# ... and then a trail drawn over it.
primary_drawn() { primary_black "$1" && [ "$($PIXELS lit "$WORK/primary.png")" -gt 100 ]; }

start() { xsetroot -solid white; saver_run linux "$@"; }  # name settings args...: over the white root

check_two_monitors() {
  local shot=$ARTIFACTS/two-monitors.png
  start two "" /s
  wait_for primary_drawn "$shot"; result "the trail runs on the primary monitor" $?
  part "$shot" 1024 second
  [ "$($PIXELS colour "$WORK/second.png" 0 0 0)" -eq $((1024 * 768)) ]; result "the second monitor is black" $?
  xdotool mousemove 1600 300
  saver_ends "a pointer move on the second monitor ends with code 0"
  start click mouse=0 /s  # with the mouse lock on, a left click there still ends
  wait_for primary_drawn "$ARTIFACTS/click.png" && xdotool mousemove 1600 300 click 1
  saver_ends "a left click on the second monitor ends with code 0"
}

# The first key once the screen has turned black ends the saver: no key is
# lost to a window made again after the start; so does a key over a
# hand-edited negative speed, which once never drew at all.
check_first_key() {
  start key "" /s
  wait_for primary_black "$ARTIFACTS/first-key.png"; result "the screen turns black" $?
  xdotool key x
  saver_ends "the first key after the screen turns black ends with code 0"
  start negative speed=-20 /s  # a hand-edited negative limit reads as none
  wait_for primary_drawn "$ARTIFACTS/negative-speed.png"; result "speed=-20 still blanks the screen and draws" $?
  xdotool key x
  saver_ends "speed=-20 ends on a key with code 0"
}

# SIGTERM with the settings dialog open (typing into it changes the name an
# OK would store): the process ends with code 0 and the INI files are as
# they were, as after a Cancel.
check_sigterm() {
  start sigterm name=Alpha /c
  (cd "$RUN_DIR" && ls -l --time-style=+%s.%N *.ini) >"$WORK/before"
  wait_for e2e_has_window "$SAVER_PID" && wait_for focus_is "ぷるみゅら の設定" && xdotool key a b
  kill -TERM "$SAVER_PID"
  echo "latency-ms sigterm $(end_ms "$SAVER_PID" 5000 || echo -1)"
  saver_ended_ok; result "SIGTERM with the settings dialog open ends with code 0" $?
  (cd "$RUN_DIR" && ls -l --time-style=+%s.%N *.ini) | cmp -s "$WORK/before" -
  result "SIGTERM with the settings dialog open writes nothing" $?
  saver_stop
}

if [ ! -x "$LINUX_BUILD/prumya" ]; then
  result "linux build present ($LINUX_BUILD/prumya)" 1
elif ! start_two_monitors "$WORK/xorg"; then
  result "a two-monitor X server starts (root, xserver-xorg-video-dummy)" 1
else
  export HOME=$WORK  # no user settings or sound set-up of the caller's
  check_two_monitors
  check_first_key
  check_sigterm
fi
summary
