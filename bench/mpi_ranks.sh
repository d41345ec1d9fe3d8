#!/usr/bin/env bash
# Wall time of brisca-mpi-iterate on 1, 2 and 4 ranks over one fixed series
# (by default the cam-hp preset of the two-lobe sample: 1250 tests in two
# phases), one worker thread per rank, each run checked against the first.
# The CPU time (all ranks) shows what a rank costs beyond its tests; the wall
# time is only meaningful on cores nothing else is using.
#   bench/mpi_ranks.sh [BUILD_DIR] [ENGINE] [SERIES...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/release}
engine=${2:-"$here/data/EngineFiles (.QEN)/Two-Lobe Cam Four.qen"}
shift $(( $# > 2 ? 2 : $# ))
series=("$@")
[ ${#series[@]} -gt 0 ] || series=(--preset cam-hp)
program=$build/mpi/brisca-mpi-iterate
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Allowed as root; more ranks than cores allowed.
export OMPI_ALLOW_RUN_AS_ROOT=1 OMPI_ALLOW_RUN_AS_ROOT_CONFIRM=1
tests=""
for ranks in 1 2 4; do
  /usr/bin/time -f "%e %U %S" -o "$work/r$ranks.time" \
    mpirun -np "$ranks" --oversubscribe "$program" "$engine" "${series[@]}" --out "$work/r$ranks" \
    >"$work/r$ranks.txt" 2>"$work/r$ranks.err"
  read -r wall user sys <"$work/r$ranks.time"
  if [ -z "$tests" ]; then
    # The last progress line of each phase: done = total.
    tests=$(grep -o '[0-9]*/[0-9]* tests' "$work/r$ranks.err" | awk -F'[/ ]' '$1 == $2 { n += $2 } END { print n }')
  fi
  diff -rq "$work/r1" "$work/r$ranks" >/dev/null || { echo "ranks $ranks: other engines kept" >&2; exit 1; }
  awk -v r="$ranks" -v w="$wall" -v c="$(echo "$user + $sys" | bc)" -v t="$tests" \
    'BEGIN { printf "%d ranks: %6.2f s wall, %7.1f tests/s, %6.2f s CPU (%d tests)\n", r, w, t / w, c, t }'
done
echo "cores: $(nproc), load average: $(cut -d' ' -f1-3 /proc/loadavg)"
