#!/usr/bin/env bash
# End-to-end checks of the saver drawn into another program's window:
#   tests/e2e/host_e2e.sh LINUX_BUILD WINDOWS_BUILD
# Linux: --window-id into a plain X window; the install layout; the
# installed hack under the real xscreensaver daemon (run as an unprivileged
# user, as it refuses to start hacks as root). Windows under Wine: a preview
# pane as the screen-saver settings show one. Prints PASS/FAIL lines and a
# summary; screenshots are kept in build/e2e-artifacts/host/.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
LINUX_BUILD=${1:-$ROOT/build/linux}
WINDOWS_BUILD=${2:-$ROOT/build/windows}
ARTIFACTS=$ROOT/build/e2e-artifacts/host
WORK=$(mktemp -d /tmp/prumya-host-e2e.XXXXXX)
chmod 755 "$WORK"  # the daemon's user reads the installed prefix below it
mkdir -p "$ARTIFACTS"
source "$ROOT/tests/e2e/lib.sh"
source "$ROOT/tests/e2e/saver_lib.sh"
source "$ROOT/scripts/lib/wine-env.sh"

XSS_USER=prumyaxss
PREFIX=$WORK/prefix

passed=0
failed=0
result() {  # name status
  if [ "$2" -eq 0 ]; then echo "PASS $1"; passed=$((passed + 1)); else echo "FAIL $1"; failed=$((failed + 1)); fi
}

now_ms() { local t=${EPOCHREALTIME/./}; echo $((t / 1000)); }

# Gone, or a zombie that only waits to be reaped.
ended() { [ ! -e "/proc/$1" ] || [ "$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null)" = Z ]; }

# Milliseconds from now until the process ends, checked every 10 ms; fails
# after max_ms.
end_ms() {  # pid max_ms
  local t0 t
  t0=$(now_ms)
  while ! ended "$1"; do
    t=$(( $(now_ms) - t0 ))
    [ "$t" -gt "$2" ] && return 1
    sleep 0.01
  done
  echo $(( $(now_ms) - t0 ))
}

# Pixels that are not black in a screenshot, or in a box of it.
lit() {  # file [WxH+X+Y]
  /usr/bin/convert "$1" ${2:+-crop "$2"} -colorspace Gray -threshold 0 \
    -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}

# Within the time-out (seconds), a screenshot with more than 100 lit pixels
# in the box; prints the milliseconds it took.
wait_lit() {  # shot seconds [box]
  local t0 n
  t0=$(now_ms)
  while [ $(( $(now_ms) - t0 )) -le $(( $2 * 1000 )) ]; do
    shot "$1" && n=$(lit "$1" "${3:-}") && [ "${n:-0}" -gt 100 ] && { echo $(( $(now_ms) - t0 )); return 0; }
    sleep 0.05
  done
  return 1
}

lit_outside() { echo $(( $(lit "$1") - $(lit "$1" "$2") )); }  # file box

# --window-id draws into a 320x240 window and nowhere else; SIGTERM ends it.
check_window_id() {
  local dir before id xw pid s ms took out rc
  dir=$(saver_dir linux window-id)
  before=$(ls "$dir")
  "$LINUX_BUILD/x-window" 100 100 320 240 >"$WORK/x-window.txt" &
  xw=$!
  wait_for test -s "$WORK/x-window.txt"
  id=$(cat "$WORK/x-window.txt")
  (cd "$dir" && exec ./prumya --window-id "$id") >"$WORK/window-id.out" 2>&1 &
  pid=$!
  s=$ARTIFACTS/linux-window-id.png
  took=$(wait_lit "$s" 3 320x240+100+100)
  out=$(lit_outside "$s" 320x240+100+100)
  echo "  trail after ${took:-?} ms, lit outside the window: ${out:-?}"
  result "linux --window-id draws the trail into the 320x240 window" $([ -n "$took" ]; echo $?)
  result "linux --window-id draws nothing outside it" $([ "${out:-1}" -eq 0 ]; echo $?)
  kill -TERM "$pid"
  ms=$(end_ms "$pid" 2000)
  wait "$pid"
  rc=$?
  echo "  SIGTERM to the end: ${ms:-?} ms, exit code $rc"
  result "linux SIGTERM ends --window-id within 200 ms with exit code 0" \
    $([ -n "$ms" ] && [ "$ms" -le 200 ] && [ "$rc" -eq 0 ]; echo $?)
  result "linux --window-id writes nothing" $([ "$(ls "$dir")" = "$before" ]; echo $?)
  kill "$xw" 2>/dev/null
  wait "$xw" 2>/dev/null
}

# Every file of the layout, the hack a link to the program, the description
# and the desktop entry as xscreensaver and desktops read them.
check_install() {
  cmake --install "$LINUX_BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1
  result "cmake --install into a prefix" $?
  local f missing=0 size
  for f in bin/prumya libexec/xscreensaver/prumya share/xscreensaver/config/prumya.xml \
           share/prumya/actsys.ini share/applications/prumya.desktop; do
    [ -e "$PREFIX/$f" ] || { echo "  missing $f"; missing=1; }
  done
  for size in 16 32 48 256; do
    f=$PREFIX/share/icons/hicolor/${size}x$size/apps/prumya.png
    [ "$(identify -format '%m %w %h' "$f" 2>/dev/null)" = "PNG $size $size" ] || { echo "  bad icon $f"; missing=1; }
  done
  result "the install lays out program, hack, description, presets, entry and icons" $missing
  [ "$(readlink -f "$PREFIX/libexec/xscreensaver/prumya")" = "$(readlink -f "$PREFIX/bin/prumya")" ]
  result "the hack is the installed program" $?
  python3 - "$PREFIX/share/xscreensaver/config/prumya.xml" <<'PY'
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
description = root.findtext('_description') or ''
assert root.tag == 'screensaver' and root.get('name') == 'prumya', root.attrib
assert root.get('_label') == 'ぷるみゅら', root.get('_label')
assert root.find('command').get('arg') == '--root'
assert 'prumya /c' in description, description
PY
  result "xscreensaver's description: Japanese name, --root, prumya /c for the settings" $?
  grep -qxF "Exec=$PREFIX/bin/prumya /c" "$PREFIX/share/applications/prumya.desktop"
  result "the desktop entry opens the installed settings dialog" $?
}

return_closes() { xdotool key Return; ended "$1"; }  # pid

# The installed settings dialog with OK writes the user's files into
# $XDG_CONFIG_HOME/prumya/ and nothing into the prefix.
check_installed_settings() {
  local xdg=$WORK/xdg pid
  touch "$WORK/before-dialog"
  XDG_CONFIG_HOME=$xdg "$PREFIX/bin/prumya" /c >"$WORK/dialog.out" 2>&1 &
  pid=$!
  # Return presses OK once the dialog takes keys; until then it is pressed again.
  wait_for window_shown "ぷるみゅら の設定" && e2e_poll 10 return_closes "$pid"
  e2e_wait_exit "$pid" 10 || e2e_kill "$pid"
  result "the installed prumya /c with OK writes prumya.ini into \$XDG_CONFIG_HOME/prumya" \
    $([ -f "$xdg/prumya/prumya.ini" ]; echo $?)
  result "the installed prumya /c writes nothing into the prefix" \
    $([ -z "$(find "$PREFIX" -newer "$WORK/before-dialog" -type f)" ]; echo $?)
}

xss() { runuser -u "$XSS_USER" -- env HOME="$WORK/xss-home" DISPLAY="$DISPLAY" "$@"; }

# The installed hack under the real daemon: -activate shows the trail,
# -deactivate ends our process; the user's settings folder stays untouched.
check_xscreensaver() {
  id "$XSS_USER" >/dev/null 2>&1 || useradd -m -s /bin/sh "$XSS_USER" || return 1
  local home=$WORK/xss-home daemon pid s took ms
  mkdir -p "$home" && chown "$XSS_USER" "$home"
  printf 'mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\ntimeout: 600\nprograms: %s --root \\n\n' \
    "$PREFIX/libexec/xscreensaver/prumya" >"$home/.xscreensaver"
  chown "$XSS_USER" "$home/.xscreensaver"
  xhost "+SI:localuser:$XSS_USER" >/dev/null
  xss xscreensaver -no-splash >"$WORK/xscreensaver.log" 2>&1 &
  daemon=$!
  wait_for xss xscreensaver-command -time >/dev/null 2>&1
  xss xscreensaver-command -activate >/dev/null 2>&1
  s=$ARTIFACTS/linux-xscreensaver.png
  took=$(wait_lit "$s" 3)
  echo "  trail on the screen ${took:-?} ms after -activate"
  result "xscreensaver -activate shows the installed hack's trail within 3 s" $([ -n "$took" ]; echo $?)
  pid=$(pgrep -u "$XSS_USER" -f "^$PREFIX/libexec/xscreensaver/prumya --root" | head -n1)
  xss xscreensaver-command -deactivate >/dev/null 2>&1
  ms=$([ -n "$pid" ] && end_ms "$pid" 1000)
  echo "  -deactivate to the hack's end: ${ms:-?} ms"
  result "xscreensaver -deactivate ends the hack within 1 s" $([ -n "$ms" ]; echo $?)
  result "the hack writes nothing under ~/.config/prumya" $([ ! -e "$home/.config/prumya" ]; echo $?)
  xss xscreensaver-command -exit >/dev/null 2>&1
  e2e_wait_exit "$daemon" 10 || e2e_kill "$daemon"
  xhost "-SI:localuser:$XSS_USER" >/dev/null
}

# A 152x112 pane with "/p PANE": the trail inside it within 2 s and nothing
# outside; destroying the pane ends the saver within 1 s with code 0.
check_preview_pane() {
  local dir before report host x y w h s took out code ms
  dir=$(saver_dir windows pane)
  cp "$WINDOWS_BUILD/preview-host.exe" "$dir/"
  before=$(ls "$dir")
  report=$dir/report.txt
  (cd "$dir" && exec wine ./preview-host.exe report.txt prumya.scr stop.flag) >"$WORK/pane.out" 2>&1 &
  host=$!
  wait_for grep -qs '^pane' "$report"
  read -r _ _ x y w h < <(tr -d '\r' <"$report" | grep '^pane')
  s=$ARTIFACTS/windows-preview.png
  took=$(wait_lit "$s" 2 "${w}x$h+$x+$y")
  out=$(lit_outside "$s" "${w}x$h+$x+$y")
  echo "  pane ${w}x$h at $x,$y: trail after ${took:-?} ms, lit outside: ${out:-?}"
  result "windows /p draws the trail inside the 152x112 pane within 2 s" \
    $([ -n "$took" ] && [ "$w" -eq 152 ] && [ "$h" -eq 112 ]; echo $?)
  result "windows /p draws nothing outside the pane" $([ "${out:-1}" -eq 0 ]; echo $?)
  touch "$dir/stop.flag"
  wait_for grep -qs '^exit' "$report"
  read -r _ code ms < <(tr -d '\r' <"$report" | grep '^exit')
  echo "  pane destroyed: the saver ended after ${ms:-?} ms with code ${code:-?}"
  result "windows: destroying the pane ends the saver within 1 s with code 0" \
    $([ "${code:-1}" -eq 0 ] && [ "${ms:--1}" -ge 0 ] && [ "${ms:--1}" -le 1000 ]; echo $?)
  e2e_wait_exit "$host" 10 || e2e_kill "$host"
  result "windows /p writes no INI file" \
    $([ "$(ls "$dir" | grep -vxE 'report.txt|stop.flag')" = "$before" ]; echo $?)
}

cleanup() {
  saver_stop
  e2e_stop_xvfb
  wine_env_down
  rm -rf "$WORK"
}
trap cleanup EXIT

if [ -x "$LINUX_BUILD/prumya" ] && [ -x "$LINUX_BUILD/x-window" ]; then
  e2e_start_xvfb 1024x768x24
  check_window_id
  check_install
  check_installed_settings
  check_xscreensaver
  e2e_stop_xvfb
else
  result "linux build present ($LINUX_BUILD/prumya, x-window)" 1
fi

if [ -f "$WINDOWS_BUILD/prumya.scr" ] && [ -f "$WINDOWS_BUILD/preview-host.exe" ]; then
  PRUMYA_XVFB_SIZE=1024x768x24 wine_env_up
  check_preview_pane
else
  result "windows build present ($WINDOWS_BUILD/prumya.scr, preview-host.exe)" 1
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
