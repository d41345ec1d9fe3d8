#!/usr/bin/env bash
# brisca --help and --version answer on stdout and exit 0 with no display at all:
# no X or Wayland display named and no Qt platform chosen.
# Usage: info_options.sh BRISCA
set -uo pipefail
brisca=$1
failures=0
check() {  # option, pattern its output must match
  local out status
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$brisca" "$1" 2>&1)
  status=$?
  [ "$status" -eq 0 ] || { echo "FAIL: $1 exited $status: $out"; failures=$((failures + 1)); return; }
  grep -Eq "$2" <<<"$out" || { echo "FAIL: $1 printed: $out"; failures=$((failures + 1)); }
}
check --help '^Usage: .*brisca .*\[FILE\.\.\.\]$'
check --help '^  -v, --version'
check -h '^Usage: '
check --version '^brisca [0-9]+\.[0-9]+\.[0-9]+$'
check -v '^brisca [0-9]+\.[0-9]+\.[0-9]+$'
[ "$failures" -eq 0 ] || exit 1
echo "help and version answered without a display"
