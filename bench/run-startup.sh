#!/usr/bin/env bash
# Start-up time to the first painted frame of the real window against a bare Qt window built
# the same way, in one run on one Xvfb display, alternating the two; prints the medians and
# their ratio (goal: at most 2).
# Usage: bench/run-startup.sh [repetitions]   (builds into $FERRAVEL_BUILD_ROOT/bench)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
reps="${1:-15}"

if [ -z "${FERRAVEL_BENCH_DISPLAY:-}" ]; then
  ferravel_build bench -DCMAKE_BUILD_TYPE=Release -DFERRAVEL_TESTS=OFF >/dev/null
  export FERRAVEL_BENCH_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" "$0" "$@"
fi

dir="$FERRAVEL_BUILD_ROOT/bench/bench/startup"
work="$(mktemp -d /tmp/ferravel-bench.XXXXXX)"
trap 'rm -rf "$work"' EXIT
cp "$dir/bench_startup_ferravel" "$dir/bench_startup_bare" "$work/"
cd "$work"
export HOME="$work"

run() { BENCH_T0_NS="$(date +%s%N)" "./$1" 2>/dev/null; }
run bench_startup_bare >/dev/null; run bench_startup_ferravel >/dev/null # warm the caches
bare=(); real=()
for _ in $(seq 1 "$reps"); do
  bare+=("$(run bench_startup_bare)")
  real+=("$(run bench_startup_ferravel)")
done
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }
mb="$(median "${bare[@]}")"; mr="$(median "${real[@]}")"
echo "bare Qt window:  median ${mb} ms  (${bare[*]})"
echo "Ferravel window: median ${mr} ms  (${real[*]})"
awk -v r="$mr" -v b="$mb" 'BEGIN { printf "ratio: %.2f (goal <= 2.00)\n", r / b }'
