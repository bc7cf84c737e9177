#!/usr/bin/env bash
# The fuzz targets, briefly: each runs ~15 s from its seed corpus
# (scripts/fuzz runs them longer). Arguments (build dirs) are not needed.
exec bash "$(dirname "$0")/../fuzz" "${PRUMYA_FUZZ_SECONDS:-15}"
