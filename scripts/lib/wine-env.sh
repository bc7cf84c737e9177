# Source me: a throwaway Wine prefix (64-bit, code page 932) and a private
# Xvfb for running the Windows build. Call wine_env_up once, wine_env_down
# at the end (the caller's trap). Honours an already-set PRUMYA_WINE_BASE.
#
#   source scripts/lib/wine-env.sh
#   wine_env_up            # sets WINEPREFIX, DISPLAY, LANG, LOCPATH, HOME ...
#   wine build/windows/prumya_tests.exe
#   wine_env_down

# Nested use (a test script run from scripts/test) reuses the caller's prefix
# and leaves it alone on the way down; only its own Xvfb is stopped.
wine_env_up() {
  _prumya_wine_owner=1
  if [ -n "${PRUMYA_WINE_BASE:-}" ] && [ -f "$PRUMYA_WINE_BASE/prefix/system.reg" ]; then
    _prumya_wine_owner=0
  fi
  local base=${PRUMYA_WINE_BASE:-$(mktemp -d /tmp/prumya-wine.XXXXXX)}
  export PRUMYA_WINE_BASE=$base
  mkdir -p "$base/home" "$base/locale"
  # The *A functions use code page 932 only under a Japanese glibc locale.
  if [ ! -d "$base/locale/ja_JP.UTF-8" ]; then
    localedef -i ja_JP -f UTF-8 "$base/locale/ja_JP.UTF-8" >/dev/null 2>&1 || true
  fi
  export LOCPATH=$base/locale LANG=ja_JP.UTF-8
  { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
  export HOME=$base/home WINEPREFIX=$base/prefix WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # No audio hardware here: a null ALSA device lets DirectSound open.
  printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
  if [ -z "${PRUMYA_KEEP_DISPLAY:-}" ]; then
    wine_env_start_xvfb "${PRUMYA_XVFB_SIZE:-1024x768x24}"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  fi
  wineserver -p 2>/dev/null || true  # keep one server alive for the whole run
}

# Starts an X server (its command without a display number) on a display it
# picks itself (-displayfd): two runs that start at once can never take the
# same number, as they could when a free one was guessed from the lock files.
# The number is written once the server takes connections. Exports DISPLAY
# and PRUMYA_XVFB_PID.
x_server_start() {  # command...
  local number_file i
  number_file=$(mktemp)
  "$@" -displayfd 3 3>"$number_file" >/dev/null 2>&1 &
  export PRUMYA_XVFB_PID=$!
  for i in $(seq 1 200); do
    if [ -s "$number_file" ]; then
      export DISPLAY=":$(head -n1 "$number_file")"
      rm -f "$number_file"
      return 0
    fi
    kill -0 "$PRUMYA_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  kill "$PRUMYA_XVFB_PID" 2>/dev/null  # one that never said its number is not left behind
  echo "$1 did not start" >&2
  return 1
}

# Starts a private Xvfb (size like 1024x768x24) and exports DISPLAY.
wine_env_start_xvfb() {  # size
  x_server_start Xvfb -screen 0 "$1" -noreset -nolisten tcp
}

wine_env_down() {
  if [ -n "${PRUMYA_XVFB_PID:-}" ]; then kill "$PRUMYA_XVFB_PID" 2>/dev/null || true; fi
  if [ "${_prumya_wine_owner:-1}" = 1 ]; then
    wineserver -k 2>/dev/null || true
    if [ -n "${PRUMYA_WINE_BASE:-}" ] && [ -z "${PRUMYA_KEEP_WINE_BASE:-}" ]; then
      rm -rf "$PRUMYA_WINE_BASE"
    fi
  fi
}
