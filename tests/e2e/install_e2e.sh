#!/usr/bin/env bash
# The Windows module as people install it, under Wine, run by an unprivileged
# user (prumyawine, made once) with a Wine prefix of its own on a private
# Xvfb:
#   tests/e2e/install_e2e.sh LINUX_BUILD WINDOWS_BUILD
# - the settings dialog at 96 and at 144 DPI (LogPixels): its controls scale;
# - the module in a folder the user cannot write keeps its settings under
#   %APPDATA%\ぷるみゅら\ and reads them back at the next start.
# Needs root (to make the user); prints PASS/FAIL lines and a summary.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
e2e_setup install "$@"
USER_NAME=prumyawine

[ "$(id -u)" = 0 ] || { echo "SKIP: making the unprivileged user needs root"; summary; exit 0; }
# The end-to-end build: the shipped module with a dialog trace (PRUMYA_DIALOG_LOG).
[ -f "$WINDOWS_BUILD/prumya-e2e.scr" ] || { result "windows: build present at $WINDOWS_BUILD" 1; summary; exit 1; }

id -u "$USER_NAME" >/dev/null 2>&1 ||
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$USER_NAME" || exit 1

chmod 755 "$WORK"
UHOME=$WORK/home         # the user's: its Wine set-up (home, prefix, locale), dialog log
SAVER=$WORK/protected    # root's: the module and its presets, read-only to the user
mkdir -p "$UHOME" "$SAVER"
chown "$USER_NAME" "$UHOME"
cp "$WINDOWS_BUILD/prumya-e2e.scr" "$SAVER/prumya.scr"
cp "$ROOT/resources/actsys.ini" "$SAVER/"
chmod 755 "$SAVER"
APPDATA_DIR=$UHOME/prefix/drive_c/users/$USER_NAME/AppData/Roaming/ぷるみゅら

# As the user, in the Wine set-up of scripts/lib/wine-env.sh below UHOME
# (made at the first call), on this script's display.
as_user() {
  runuser -u "$USER_NAME" -- env -i PATH=/usr/bin:/bin DISPLAY="${DISPLAY:-}" PRUMYA_WINE_BASE="$UHOME" \
    PRUMYA_KEEP_DISPLAY=1 bash -c 'source "$0" && wine_env_up && exec "$@"' "$ROOT/scripts/lib/wine-env.sh" "$@"
}

trap 'as_user wineserver -k 2>/dev/null; e2e_cleanup' EXIT

set_dpi() { as_user wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }

# The settings dialog as the user, logging its rectangles to $LOG.
user_dialog() {
  log_reset "$UHOME/dialog.log"
  (cd "$UHOME" && as_user env PRUMYA_DIALOG_LOG="Z:${LOG//\//\\}" wine "$SAVER/prumya.scr" /c) >"$UHOME/out.txt" 2>&1 &
  APP_PID=$!
  wait_ready 102
}

# "dialog" and "control" rectangles of the last dialog 102, as "id w h" lines.
sizes() { log_lines | awk '$1 == "dialog" && $2 == 102 { print "dialog", $5 - $3, $6 - $4 }
                          $1 == "control" { print $3 "/" $2, $6 - $4, $7 - $5 }'; }
dpi_seen() { log_lines | awk '$1 == "dpi" && $2 == 102 { print $3 }' | tail -n1; }

# Every push button and the dialog itself about 1.5 times as large at 144 DPI
# (the font's own rounding keeps it from exactly 1.5).
check_dpi() {
  local dpi
  declare -A at
  for dpi in 96 144; do
    set_dpi $dpi && user_dialog && at[$dpi]=$(sizes) && [ "$(dpi_seen)" = $dpi ] || return 1
    xdotool key Escape && wait_closed 102 && app_wait || return 1
  done
  set_dpi 96
  join <(echo "${at[96]}" | sort) <(echo "${at[144]}" | sort) | awk '
    $1 == "dialog" || $1 ~ /^(1|2|1010|1014)\// {
      n++
      if ($4 < 1.3 * $2 || $4 > 1.7 * $2 || $5 < 1.3 * $3 || $5 > 1.7 * $3) { print "  not scaled:", $0; bad = 1 }
    }
    END { exit (bad || n != 5) }' >&2
}

# Settings saved in a protected folder's stead, and found there again.
stored() { ini_has "$APPDATA_DIR/prumya.ini" action name Neue && ini_has "$APPDATA_DIR/prumya.ini" action time 1; }
check_protected() {
  user_dialog || return 1
  click_control 102 58 && type_name 102 "Neue" || return 1  # 時計 on, a new preset
  click_control 102 0 && wait_closed 102 1 && app_wait || return 1
  stored && [ "$(ini_key_count "$APPDATA_DIR/action.ini" Neue)" -eq 12 ] || return 1
  [ "$(ls -A "$SAVER" | tr '\n' ' ')" = "actsys.ini prumya.scr " ] || return 1
  # OK at once: what was read back is written again unchanged.
  user_dialog && click_control 102 0 && wait_closed 102 1 && app_wait || return 1
  stored
}

e2e_start_xvfb 1024x768x24 || exit 1
xhost "+SI:localuser:$USER_NAME" >/dev/null
as_user true

check_dpi; result "windows: the settings dialog scales from 96 to 144 DPI" $?
app_stop
check_protected; result "windows: a protected folder's settings live in %APPDATA%\\ぷるみゅら\\ and are read back" $?
app_stop

summary
