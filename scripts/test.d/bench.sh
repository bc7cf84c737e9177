#!/usr/bin/env bash
# Smoke run of prumya-bench: both depths and both presets at a small size,
# 20 frames each; every figure must be printed, the ratio last. No time is
# checked. Arguments: the Linux and Windows build dirs.
set -uo pipefail
LINUX_BUILD=${1:-$(dirname "$0")/../../build/linux}
BENCH=$LINUX_BUILD/prumya-bench
if [ ! -x "$BENCH" ]; then
  echo "missing $BENCH (built with the linux preset)"
  echo "0 passed, 1 failed"
  exit 1
fi

passed=0
failed=0
result() {  # name status
  if [ "$2" -eq 0 ]; then echo "PASS $1"; passed=$((passed + 1)); else echo "FAIL $1"; failed=$((failed + 1)); fi
}

NUMBER='-?[0-9]+(\.[0-9]+)?'
FIGURES=("width:px" "height:px" "depth:bit" "frames:frames")
for stage in step clear trail overlays "present copy" frame "bound clear" "bound copy" bound; do
  FIGURES+=("$stage median:ms" "$stage p95:ms")
done
FIGURES+=("frames per second:fps" "heap allocations in timed frames:" "peak memory:MiB")

check_run() {  # depth preset
  local name="depth $1, $2" out status=0 figure unit
  out=$("$BENCH" --width 320 --height 240 --depth "$1" --preset "$2" --frames 20 --seed 3 2>&1) || status=1
  for entry in "${FIGURES[@]}"; do
    figure=${entry%%:*}
    unit=${entry#*:}
    if ! grep -Eq "^$figure: $NUMBER${unit:+ $unit}\$" <<<"$out"; then
      echo "  missing or malformed: $figure"
      status=1
    fi
  done
  grep -q "^depth: $1 bit\$" <<<"$out" || status=1
  grep -q "^preset: $2\$" <<<"$out" || status=1
  grep -Eq "^heap allocations in timed frames: 0\$" <<<"$out" || { echo "  the timed frames allocated"; status=1; }
  tail -n1 <<<"$out" | grep -Eq "^ratio frame/bound: $NUMBER x\$" || { echo "  the ratio is not last"; status=1; }
  [ $status -eq 0 ] || echo "$out" | sed 's/^/  | /'
  result "$name" $status
}

for depth in 16 32; do
  for preset in heavy default; do check_run $depth $preset; done
done

"$BENCH" --help | grep -q -- "--frames" && result "help" 0 || result "help" 1
"$BENCH" --depth 24 >/dev/null 2>&1; [ $? -eq 2 ] && result "bad depth refused" 0 || result "bad depth refused" 1

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
