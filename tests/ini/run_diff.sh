#!/usr/bin/env bash
# Differential check of our INI store against kernel32 under Wine:
#   run_diff.sh LINUX_PROBE WINDOWS_PROBE
# Exits 0 when both answer every query alike (known differences aside, see
# queries.tsv), 1 with the differing answers otherwise, 77 when the Windows
# probe or Wine is not there.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"
wine_check_up "$2"
python3 "$here/ini_diff.py" "$1" wine "$2"
