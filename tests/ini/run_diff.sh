#!/usr/bin/env bash
# Differential check of our INI store against kernel32 under Wine:
#   run_diff.sh LINUX_PROBE WINDOWS_PROBE
# Exits 0 when both answer every query alike (known differences aside, see
# queries.tsv), 1 with the differing answers otherwise, 77 when the Windows
# probe or Wine is not there.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ ! -f "$2" ]; then
  echo "SKIP: Windows probe $2 not built"
  exit 77
fi
if ! command -v wine >/dev/null; then
  echo "SKIP: wine not installed"
  exit 77
fi

# shellcheck source=../../scripts/lib/wine-env.sh
source "$root/scripts/lib/wine-env.sh"
trap wine_env_down EXIT
wine_env_up || { echo "Wine environment did not start"; exit 1; }

python3 "$here/ini_diff.py" "$1" wine "$2"
