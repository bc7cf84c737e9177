#!/usr/bin/env bash
# The Debian package: built from the Linux build and checked (contents,
# fields, lintian, an install into a throwaway root).
#   scripts/test.d/package.sh LINUX_BUILD [WINDOWS_BUILD]
exec bash "$(dirname "$0")/../../tests/package/check_deb.sh" "${1:-}"
