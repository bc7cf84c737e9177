#!/usr/bin/env bash
# Our line rasteriser against GDI under Wine:
#   run_parity.sh LINUX_TOOL WINDOWS_TOOL
# Draws every scene at 16 and 32 bits per pixel with both tools and prints
# the share of lit pixels that differ. Exits 0 when the share over all
# scenes stays below the limit (PRUMYA_PARITY_LIMIT, per cent, default 2),
# 1 otherwise, 77 when the Windows tool or Wine is not there.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$2" ] && command -v wine >/dev/null || { echo "SKIP: no Windows tool $2 or no wine"; exit 77; }
linux_tool=$(realpath "$1") windows_tool=$(realpath "$2")
work=$(mktemp -d /tmp/prumya-parity.XXXXXX)
source "$here/../../scripts/lib/wine-env.sh"
trap 'wine_env_down; rm -rf "$work"' EXIT
wine_env_up || { echo "Wine environment did not start"; exit 1; }

pairs=()
for scene in thin wide zero edges trail; do
  for bits in 16 32; do
    "$linux_tool" "$scene" "$bits" "$work/linux-$scene-$bits.ppm" || exit 1
    # Wine maps the Unix path through drive Z:; its helper processes inherit
    # our output, so it goes to a log, off ctest's pipe.
    wine "$windows_tool" "$scene" "$bits" "Z:$work/gdi-$scene-$bits.ppm" >"$work/wine.log" 2>&1 </dev/null ||
      { cat "$work/wine.log"; exit 1; }
    pairs+=("$scene-$bits" "$work/linux-$scene-$bits.ppm" "$work/gdi-$scene-$bits.ppm")
  done
done
python3 "$here/compare_ppm.py" "${PRUMYA_PARITY_LIMIT:-2}" "${pairs[@]}"
