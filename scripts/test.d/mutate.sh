#!/usr/bin/env bash
# The mutation check, briefly (scripts/mutate runs it long): a seed samples
# the same mutants every time, two mutants are judged, a run stopped halfway
# leaves its copy of the tree as the tree is, and the real sources are never
# written. Arguments (build dirs) are not needed.
set -uo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
COPY=$ROOT/build/mutate/src
OUT=$(mktemp -d "${TMPDIR:-/tmp}/prumya-mutate.XXXXXX")
PID=
passed=0
failed=0
cleanup() {
  [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null && kill "$PID" && wait "$PID"
  rm -rf "$OUT"
}
trap cleanup EXIT
check() {  # name status
  if [ "$2" -eq 0 ]; then echo "PASS $1"; passed=$((passed + 1)); else echo "FAIL $1"; failed=$((failed + 1)); fi
}
tree_sum() { git ls-files -co --exclude-standard -z | xargs -0 sha1sum | sha1sum; }
listed() { grep -E '^  [a-z]' "$1"; }

before=$(tree_sum)
scripts/mutate 20 7 --list >"$OUT/a" 2>&1 && scripts/mutate 20 7 --list >"$OUT/b" 2>&1 &&
  scripts/mutate 3 7 --list >"$OUT/c" 2>&1
check "the mutants are listed" $?
[ "$(listed "$OUT/a" | wc -l)" -eq 20 ] && cmp -s "$OUT/a" "$OUT/b"
check "the same seed samples the same 20 mutants" $?
[ -z "$(comm -13 <(listed "$OUT/a" | sort) <(listed "$OUT/c" | sort))" ]
check "a shorter run takes the first of them" $?

if [ -n "${PRUMYA_TEST_QUICK:-}" ]; then
  echo "mutants not run under PRUMYA_TEST_QUICK"
else
  scripts/mutate 2 7 >"$OUT/run" 2>&1
  status=$?
  tail -n 6 "$OUT/run"
  read -r k s b < <(sed -n 's/^killed \([0-9]*\), survived \([0-9]*\), did not build \([0-9]*\);.*/\1 \2 \3/p' "$OUT/run")
  [ "$status" -eq 0 ] && [ $((${k:-0} + ${s:-0} + ${b:-0})) -eq 2 ]
  check "two mutants built, tested and judged" $?

  # Stopped while its second mutant is being tried.
  scripts/mutate 3 8 >"$OUT/stopped" 2>&1 &
  PID=$!
  deadline=$((SECONDS + 600))
  until grep -q '^\[1/3\]' "$OUT/stopped" || ! kill -0 "$PID" 2>/dev/null || [ $SECONDS -ge $deadline ]; do
    sleep 0.2
  done
  kill -TERM "$PID" 2>/dev/null
  wait "$PID"
  PID=
  grep -q '^interrupted (SIGTERM)' "$OUT/stopped" && grep -q '^killed [0-9]' "$OUT/stopped"
  check "a stopped run says so and gives its totals" $?
  for dir in saver framework platform/ini platform/soft; do diff -r "$ROOT/$dir" "$COPY/$dir"; done >"$OUT/diff"
  [ ! -s "$OUT/diff" ]
  check "a stopped run leaves its copy unmutated" $?
fi
[ "$before" = "$(tree_sum)" ]
check "the real sources are as they were" $?

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
