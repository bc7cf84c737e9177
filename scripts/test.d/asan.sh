#!/usr/bin/env bash
# The whole unit suite under AddressSanitizer and UndefinedBehaviorSanitizer
# (the linux-asan preset; only the test binary is built). Any report fails
# the run. Arguments (build dirs) are not needed.
if [ -n "${PRUMYA_TEST_QUICK:-}" ]; then
  echo "skipped under PRUMYA_TEST_QUICK"
  echo "0 passed, 0 failed"
  exit 0
fi
set -uo pipefail
cd "$(dirname "$0")/../.."
BUILD=build/linux-asan
LOG=$BUILD/asan-tests.log

if ! { [ -f "$BUILD/build.ninja" ] || cmake --preset linux-asan >/dev/null; } ||
   ! cmake --build --preset linux-asan --target prumya_tests -j2 >"${TMPDIR:-/tmp}/prumya-asan-build.$$.log" 2>&1; then
  tail -n 30 "${TMPDIR:-/tmp}/prumya-asan-build.$$.log"
  rm -f "${TMPDIR:-/tmp}/prumya-asan-build.$$.log"
  echo "0 passed, 1 failed"
  exit 1
fi
rm -f "${TMPDIR:-/tmp}/prumya-asan-build.$$.log"

# SDL's tests use the dummy video driver; leaks are checked only in our code
# (GTK, fontconfig and the GL drivers keep their caches until exit).
export SDL_VIDEODRIVER=${SDL_VIDEODRIVER:-dummy} SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/asan/lsan.supp:print_suppressions=0}

"$BUILD/prumya_tests" --gtest_brief=1 >"$LOG" 2>&1
status=$?
grep -E 'ERROR: (Address|Leak)Sanitizer|runtime error:|FAILED|PASSED' "$LOG" | head -n 40
passed=$(grep -Eo '^\[  PASSED  \] [0-9]+' "$LOG" | grep -Eo '[0-9]+$')
failed=$(grep -Eo '^\[  FAILED  \] [0-9]+ test' "$LOG" | grep -Eo '[0-9]+' | head -n1)
reports=$(grep -cE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$LOG")
passed=${passed:-0}
failed=${failed:-0}
if [ "$status" -ne 0 ] || [ "$reports" -gt 0 ]; then
  [ "$failed" -eq 0 ] && failed=1
  echo "sanitizer run failed (exit $status, $reports report(s)); log $LOG"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
