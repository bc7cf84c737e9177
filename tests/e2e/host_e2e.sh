#!/usr/bin/env bash
# End-to-end checks of the saver drawn into another program's window:
#   tests/e2e/host_e2e.sh LINUX_BUILD WINDOWS_BUILD
# Linux: --window-id into a plain X window; the install layout; the
# installed hack under the real xscreensaver daemon (run as an unprivileged
# user, as it refuses to start hacks as root). Windows under Wine: a preview
# pane as the screen-saver settings show one. Prints PASS/FAIL lines, the
# latencies ("latency-ms NAME MS") and a summary; screenshots are kept in
# build/e2e-artifacts/host/. Time bounds are generous (a loaded machine is
# slow): they catch a hang or a missing behaviour, the figures are printed.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
e2e_setup host "$@"
chmod 755 "$WORK"  # the daemon's user reads the installed prefix below it

XSS_USER=prumyaxss
PREFIX=$WORK/prefix
BOUND_MS=5000   # to an end
SHOWN_MS=10000  # to a trail on the screen

# Waits up to SHOWN_MS for over 100 lit pixels in the box; prints the
# latency; TOOK is empty on time-out, LIT holds the "INSIDE OUTSIDE" counts.
wait_lit() {  # latency-name shot X0 Y0 X1 Y1
  local t0
  t0=$(now_ms) TOOK= LIT="0 -1"
  while [ -z "$TOOK" ] && [ $(( $(now_ms) - t0 )) -le "$SHOWN_MS" ]; do
    e2e_screenshot "$2" && LIT=$($PIXELS box "$2" "${@:3}") && [ "${LIT%% *}" -gt 100 ] && TOOK=$(( $(now_ms) - t0 ))
  done
  echo "latency-ms $1 ${TOOK:--1}"
}

# --window-id draws into a 320x240 window and nowhere else; SIGTERM ends it.
check_window_id() {
  local xw ms
  "$LINUX_BUILD/x-window" 100 100 320 240 >"$WORK/x-window.txt" &
  xw=$!
  wait_for test -s "$WORK/x-window.txt"
  saver_run linux window-id "" --window-id "$(cat "$WORK/x-window.txt")"
  wait_lit window-id-trail "$ARTIFACTS/linux-window-id.png" 100 100 420 340
  result "linux --window-id draws the trail into the 320x240 window" $([ -n "$TOOK" ]; echo $?)
  result "linux --window-id draws nothing outside it" $([ "${LIT##* }" -eq 0 ]; echo $?)
  kill -TERM "$SAVER_PID"
  ms=$(end_ms "$SAVER_PID" "$BOUND_MS")
  echo "latency-ms sigterm ${ms:--1}"
  saver_ended_ok && [ -n "$ms" ]; result "linux SIGTERM ends --window-id promptly with exit code 0" $?
  result "linux --window-id writes nothing" $([ "$(ls "$RUN_DIR" | tr '\n' ' ')" = "actsys.ini out.txt prumya " ]; echo $?)
  kill "$xw" 2>/dev/null
  wait "$xw" 2>/dev/null
}

# Every file of the layout, the hack a link to the program, the icons at
# their sizes and the desktop entry's command at the installed path (the
# xscreensaver description is a shipped file, copied as it is).
check_install() {
  local f bad=0 size
  cmake --install "$LINUX_BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || bad=1
  for f in bin/prumya share/prumya/actsys.ini share/xscreensaver/config/prumya.xml; do [ -e "$PREFIX/$f" ] || bad=1; done
  for size in 16 32 48 256; do
    f=$PREFIX/share/icons/hicolor/${size}x$size/apps/prumya.png
    [ "$(identify -format '%m %w %h' "$f" 2>/dev/null)" = "PNG $size $size" ] || bad=1
  done
  [ "$(readlink -f "$PREFIX/libexec/xscreensaver/prumya")" = "$(readlink -f "$PREFIX/bin/prumya")" ] || bad=1
  grep -qxF "Exec=$PREFIX/bin/prumya /c" "$PREFIX/share/applications/prumya.desktop" || bad=1
  result "cmake --install lays out program, hack link, presets, icons, description and entry" $bad
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
  wait_for window_shown "ぷるみゅら の設定" && wait_for return_closes "$pid"
  e2e_wait_exit "$pid" 10 || e2e_kill "$pid"
  [ -f "$xdg/prumya/prumya.ini" ]; result "the installed prumya /c with OK writes prumya.ini into \$XDG_CONFIG_HOME/prumya" $?
  [ -z "$(find "$PREFIX" -newer "$WORK/before-dialog" -type f)" ]; result "the installed prumya /c writes nothing into the prefix" $?
}

xss() { runuser -u "$XSS_USER" -- env HOME="$WORK/xss-home" DISPLAY="$DISPLAY" "$@"; }

# The installed hack under the real daemon: -activate shows the trail,
# -deactivate ends our process; the user's settings folder stays untouched.
check_xscreensaver() {
  id "$XSS_USER" >/dev/null 2>&1 || useradd -m -s /bin/sh "$XSS_USER" || return 1
  local home=$WORK/xss-home daemon pid ms
  mkdir -p "$home"
  printf 'mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\ntimeout: 600\nprograms: %s --root \\n\n' \
    "$PREFIX/libexec/xscreensaver/prumya" >"$home/.xscreensaver"
  chown -R "$XSS_USER" "$home"
  xhost "+SI:localuser:$XSS_USER" >/dev/null
  xss xscreensaver -no-splash >"$WORK/xscreensaver.log" 2>&1 &
  daemon=$!
  wait_for xss xscreensaver-command -time >/dev/null 2>&1
  xss xscreensaver-command -activate >/dev/null 2>&1
  wait_lit xscreensaver-activate "$ARTIFACTS/linux-xscreensaver.png" 0 0 1024 768
  result "xscreensaver -activate shows the installed hack's trail" $([ -n "$TOOK" ]; echo $?)
  pid=$(pgrep -u "$XSS_USER" -f "^$PREFIX/libexec/xscreensaver/prumya --root" | head -n1)
  xss xscreensaver-command -deactivate >/dev/null 2>&1
  ms=$([ -n "$pid" ] && end_ms "$pid" "$BOUND_MS")
  echo "latency-ms xscreensaver-deactivate ${ms:--1}"
  result "xscreensaver -deactivate ends the hack" $([ -n "$ms" ]; echo $?)
  result "the hack writes nothing under ~/.config/prumya" $([ ! -e "$home/.config/prumya" ]; echo $?)
  xss xscreensaver-command -exit >/dev/null 2>&1
  e2e_wait_exit "$daemon" 10 || e2e_kill "$daemon"
  xhost "-SI:localuser:$XSS_USER" >/dev/null
}

# A line of the preview host's report, once written.
report_line() { wait_for grep -qs "^$2" "$1" && tr -d '\r' <"$1" | grep "^$2"; }  # file kind

# A 152x112 pane with "/p PANE": the trail inside it and nothing outside;
# destroying the pane ends the saver with code 0 (the host waits up to 5 s).
check_preview_pane() {
  local dir host x y w h code ms
  dir=$(saver_dir windows pane)
  cp "$WINDOWS_BUILD/preview-host.exe" "$dir/"
  (cd "$dir" && exec wine ./preview-host.exe report.txt prumya.scr stop.flag) >"$WORK/pane.out" 2>&1 &
  host=$!
  read -r _ _ x y w h < <(report_line "$dir/report.txt" pane)
  wait_lit preview-trail "$ARTIFACTS/windows-preview.png" "$x" "$y" $((x + w)) $((y + h))
  result "windows /p draws the trail inside the 152x112 pane" $([ -n "$TOOK" ] && [ "$w" -eq 152 ] && [ "$h" -eq 112 ]; echo $?)
  result "windows /p draws nothing outside the pane" $([ "${LIT##* }" -eq 0 ]; echo $?)
  touch "$dir/stop.flag"
  read -r _ code ms < <(report_line "$dir/report.txt" exit)
  echo "latency-ms preview-pane-gone ${ms:--1}"
  result "windows: destroying the pane ends the saver with code 0" $([ "${code:-1}" -eq 0 ] && [ "${ms:--1}" -ge 0 ]; echo $?)
  e2e_wait_exit "$host" 10 || e2e_kill "$host"
  result "windows /p writes no file" $([ "$(ls "$dir" | tr '\n' ' ')" = "actsys.ini preview-host.exe prumya.scr report.txt stop.flag " ]; echo $?)
}

run_platform() {  # platform
  [ "$1" = windows ] && { check_preview_pane; return; }
  check_window_id
  check_install
  check_installed_settings
  check_xscreensaver
}
on_platforms run_platform "prumya x-window" "prumya.scr preview-host.exe"
summary
