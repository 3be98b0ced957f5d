#!/usr/bin/env bash
# run-fuzz.sh [seconds per target, default 60] [target...]
# Builds the fuzz targets with clang (AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each one for the given time. Each target's corpus grows in the build folder, seeded from
# fuzz/corpus/<target>; a failing input is written to the build folder's findings/<target>/
# and the run stops there. Keep such an input in fuzz/regressions/<target>/ once it is fixed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"

seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_textfile fuzz_listload fuzz_ini fuzz_integer fuzz_extractemail fuzz_maillink)
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
  echo "== $target for $seconds s"
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" || status=1
done
exit $status
