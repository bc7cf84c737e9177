#!/usr/bin/env bash
# Our line rasteriser against GDI under Wine:
#   run_parity.sh LINUX_TOOL WINDOWS_TOOL
# Draws every scene at 16 and 32 bits per pixel with both tools and prints
# the share of lit pixels that differ. Exits 0 when the share over all
# scenes stays below the limit (PRUMYA_PARITY_LIMIT, per cent, default 2),
# 1 otherwise, 77 when the Windows tool or Wine is not there.
set -uo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
wine_check_up "$2"
linux_tool=$(realpath "$1") windows_tool=$(realpath "$2")
WORK=$(mktemp -d /tmp/prumya-parity.XXXXXX)

pairs=()
for scene in thin wide zero edges trail; do
  for bits in 16 32; do
    "$linux_tool" "$scene" "$bits" "$WORK/linux-$scene-$bits.ppm" || exit 1
    # Wine maps the Unix path through drive Z:; its helper processes inherit
    # our output, so it goes to a log, off ctest's pipe.
    wine "$windows_tool" "$scene" "$bits" "Z:$WORK/gdi-$scene-$bits.ppm" >"$WORK/wine.log" 2>&1 </dev/null ||
      { cat "$WORK/wine.log"; exit 1; }
    pairs+=("$scene-$bits" "$WORK/linux-$scene-$bits.ppm" "$WORK/gdi-$scene-$bits.ppm")
  done
done
$PIXELS parity "${PRUMYA_PARITY_LIMIT:-2}" "${pairs[@]}"
