#!/usr/bin/env bash
# run-fuzz.sh [--runs N] [seconds per target, default 60] [target...]
# FERRAVEL_FUZZ_OPTIONS adds libFuzzer options (for example -max_len=512).
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each one for the given time, or for N inputs with --runs (then without a time limit); each
# run ends with a line "== <target>: <inputs> inputs in <s> s, <n> inputs/s". Each target's corpus grows in the build folder, seeded from
# fuzz/corpus/<target>; a failing input is written to the build folder's findings/<target>/
# and the run stops there. Keep such an input in fuzz/regressions/<target>/ once it is fixed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"

runs=""
if [ "${1:-}" = "--runs" ]; then
  runs="${2:?--runs needs a number of inputs}"
  shift 2
fi
seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_textfile fuzz_textmemory fuzz_listload fuzz_ini fuzz_inimemory fuzz_integer fuzz_extractemail
           fuzz_maillink)
fi
if [ -n "$runs" ]; then
  limit=(-runs="$runs" -max_total_time=0)
else
  limit=(-max_total_time="$seconds")
fi

build="$FERRAVEL_BUILD_ROOT/fuzz"
cmake -S "$FERRAVEL_SRC" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DFERRAVEL_FUZZ=ON -DFERRAVEL_TESTS=OFF -DFERRAVEL_BENCH=OFF -DFERRAVEL_WERROR=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target fuzz_targets

export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=minimal
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  cp -rn "$FERRAVEL_SRC/fuzz/corpus/$target/." "$corpus/"
  echo "== $target for ${runs:-$seconds s} ${runs:+inputs}"
  start=$(date +%s.%N)
  log="$build/findings/$target.log"
  # shellcheck disable=SC2086 # the options are words on purpose
  if ! "$build/fuzz/$target" "${limit[@]}" ${FERRAVEL_FUZZ_OPTIONS:-} -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1; then
    status=1
  fi
  end=$(date +%s.%N)
  grep -v '^#' "$log" | tail -25 || true
  inputs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  awk -v t="$target" -v n="${inputs:-0}" -v a="$start" -v b="$end" \
    'BEGIN { s = b - a; printf "== %s: %d inputs in %.1f s, %.0f inputs/s\n", t, n, s, (s > 0 ? n / s : 0) }'
done
exit $status
