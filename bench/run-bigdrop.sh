#!/usr/bin/env bash
# What a drop of a 100 MB binary file (no zero byte, so all of it is text) costs the window:
# time and peak memory of the drop on the recipient list and on the message field, each in
# its own process, against the same window without a drop and against a bare read of the file.
# Usage: bench/run-bigdrop.sh [megabytes]   (builds into $FERRAVEL_BUILD_ROOT/bench)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
megabytes="${1:-100}"
ferravel_build bench -DCMAKE_BUILD_TYPE=Release -DFERRAVEL_TESTS=OFF >/dev/null
exe="$FERRAVEL_BUILD_ROOT/bench/bench/bench_bigdrop"
work="$(mktemp -d /tmp/ferravel-bench.XXXXXX)"
trap 'rm -rf "$work"' EXIT
cd "$work"
export HOME="$work"
# A portable copy: the list drop writes the configuration file beside the executable, and the
# next run would load the dropped list at start.
cp "$exe" "$work/bench_bigdrop"
exe="$work/bench_bigdrop"
"$exe" make "$work/binaire.txt" "$megabytes"
for mode in read none list message; do
  rm -f "$work/bench_bigdrop.INI"
  /usr/bin/time -f "%e s %M KB" -o "$work/time" "$exe" "$mode" "$work/binaire.txt" 2>/dev/null | sed "s/^/  /"
  read -r seconds _ kb _ <"$work/time"
  printf '%-8s whole process %6.2f s, peak memory %5d MB\n' "$mode" "$seconds" $((kb / 1024))
done
