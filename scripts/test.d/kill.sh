#!/usr/bin/env bash
# Crash safety of the INI writes on Linux: a writer killed with SIGKILL at
# random moments, 1000 times (PRUMYA_KILL_COUNT to change), on the real disk
# so that every write is flushed. Arguments: the Linux and Windows build dirs.
set -uo pipefail
LINUX_BUILD=${1:-$(dirname "$0")/../../build/linux}
TOOL=$LINUX_BUILD/ini-kill-writer
if [ ! -x "$TOOL" ]; then
  echo "missing $TOOL (built with the linux preset)"
  echo "0 passed, 1 failed"
  exit 1
fi
DIR=$(mktemp -d "${TMPDIR:-/tmp}/prumya-kill.XXXXXX")
trap 'rm -rf "$DIR"' EXIT
"$TOOL" drive "$DIR/files" "${PRUMYA_KILL_COUNT:-1000}" ${PRUMYA_KILL_SEED:-}
