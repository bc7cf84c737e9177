#!/usr/bin/env bash
# A short soak of the Linux saver (scripts/soak runs it longer): restarts,
# hot keys, preset edits, and its memory kept flat. Arguments: the Linux and
# Windows build dirs.
if [ -n "${PRUMYA_TEST_QUICK:-}" ]; then
  echo "skipped under PRUMYA_TEST_QUICK"
  echo "0 passed, 0 failed"
  exit 0
fi
exec bash "$(dirname "$0")/../soak" "${PRUMYA_SOAK_SECONDS:-30}" "${1:-$(dirname "$0")/../../build/linux}"
