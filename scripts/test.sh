#!/usr/bin/env bash
# Installs what is missing, builds Ferravel twice (release with warnings as errors, and
# debug with AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test of each:
# unit tests, widget tests on the offscreen platform, end-to-end tests of the real
# executable on their own Xvfb display, and the short fuzz runs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

"$FERRAVEL_SRC/scripts/install-deps.sh" test

echo "== style: every C++ file as .clang-format writes it"
"$FERRAVEL_SRC/scripts/format.sh" --check

# Tests must never touch the real user's settings, files or mail program.
export HOME="$(mktemp -d /tmp/ferravel-test-home.XXXXXX)"
trap 'rm -rf "$HOME"' EXIT
unset DISPLAY WAYLAND_DISPLAY XDG_CURRENT_DESKTOP

# Every option is given: the run command shares the release folder and builds it without tests.
ferravel_build release -DCMAKE_BUILD_TYPE=Release -DFERRAVEL_WERROR=ON -DFERRAVEL_SANITIZE=OFF \
  -DFERRAVEL_TESTS=ON -DFERRAVEL_BENCH=ON
ferravel_build asan -DCMAKE_BUILD_TYPE=Debug -DFERRAVEL_WERROR=ON -DFERRAVEL_SANITIZE=ON \
  -DFERRAVEL_TESTS=ON -DFERRAVEL_BENCH=ON

# The fuzz targets: clang, the core instrumented for libFuzzer and the sanitizers.
fuzz_build="$FERRAVEL_BUILD_ROOT/fuzz"
cmake -S "$FERRAVEL_SRC" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DFERRAVEL_FUZZ=ON -DFERRAVEL_TESTS=OFF -DFERRAVEL_BENCH=OFF -DFERRAVEL_WERROR=ON >/dev/null
cmake --build "$fuzz_build" --parallel "$(nproc)" --target fuzz_targets

export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# run_ctest NAME DIR [ctest options...]: runs a build's tests; a build that finds no test
# fails. Its summary line and its JUnit report (every test's whole output, for the skip
# summary) are kept.
results="$HOME/test-results"
mkdir -p "$results"
run_ctest() {
  local name="$1" dir="$2"
  shift 2
  ctest --test-dir "$dir" --no-tests=error --output-on-failure --parallel "$(nproc)" \
    --output-junit "$results/$name.xml" --test-output-size-passed 16000000 "$@" 2>&1 | tee "$results/$name.log"
}

status=0
echo "== release build"
run_ctest release "$FERRAVEL_BUILD_ROOT/release" || status=1
echo "== fuzz targets: saved failing inputs, then a few seconds each"
run_ctest fuzz "$fuzz_build" -L fuzz || status=1
echo "== sanitizer build"
run_ctest asan "$FERRAVEL_BUILD_ROOT/asan" || status=1

# A step of its own: every benchmark script runs once at tiny sizes (its figures mean
# nothing there), on the release build's bench programs, so that none of them rots.
echo "== benchmark scripts, once each at tiny sizes"
FERRAVEL_BENCH_BUILD="$FERRAVEL_BUILD_ROOT/release" "$FERRAVEL_SRC/bench/smoke.sh" || status=1

# The last lines: each build's ctest summary, then every skipped row and why
# (FERRAVEL_NO_SKIP=1 turns a skip into a failure).
echo "== summary"
for name in release fuzz asan; do
  echo "$name: $(grep -E 'tests passed|No tests were found' "$results/$name.log" | tail -1 || echo "no ctest summary")"
done
/usr/bin/python3 "$FERRAVEL_SRC/scripts/skip-summary.py" release="$results/release.xml" fuzz="$results/fuzz.xml" \
  asan="$results/asan.xml" || status=1
exit $status
