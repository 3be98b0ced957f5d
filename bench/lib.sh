# Shared by the benchmark scripts (source scripts/lib.sh first): where the bench programs and
# the generated files live, timing one run, medians with their spread, ratios against a
# reference measured in the same run, verdicts, the cold-cache option and the machine's load.
#
# Options, from the environment:
#   REPS=5                repetitions of every measure and reference, run alternately
#   COLD=1                drop the files from the page cache before every run (needs no root:
#                         dd's nocache drops a file's clean pages)
#   SMOKE=1               tiny sizes, to prove that the script runs: the figures mean nothing
#   FERRAVEL_BENCH_BUILD  a build folder that already holds the bench programs (Release, with
#                         FERRAVEL_BENCH=ON); default: build $FERRAVEL_BUILD_ROOT/bench-release
#   BENCH_DIR             where the generated files go (default $FERRAVEL_BUILD_ROOT/bench-data,
#                         on the same disk as the builds, never in the sources)

REPS="${REPS:-5}"
COLD="${COLD:-0}"
SMOKE="${SMOKE:-0}"
BENCH_DIR="${BENCH_DIR:-$FERRAVEL_BUILD_ROOT/bench-data}"

# Sets BENCH_BUILD to a build folder with the bench programs, building it when needed.
bench_build() {
  if [ -n "${FERRAVEL_BENCH_BUILD:-}" ]; then
    BENCH_BUILD="$FERRAVEL_BENCH_BUILD"
  else
    ferravel_build bench-release -DCMAKE_BUILD_TYPE=Release -DFERRAVEL_TESTS=OFF -DFERRAVEL_BENCH=ON >&2
    BENCH_BUILD="$FERRAVEL_BUILD_ROOT/bench-release"
  fi
  [ -x "$BENCH_BUILD/bench/bench_window" ] || { echo "no bench programs in $BENCH_BUILD" >&2; exit 1; }
}

bench_header() { # what
  echo "== $1"
  echo "   $(uptime | sed 's/^ *//')  ($(nproc) cores); $REPS repetitions, run alternately$([ "$COLD" = 1 ] && echo ', cold cache before every run')"
  if [ "$SMOKE" = 1 ]; then echo "   smoke run: tiny sizes, the figures and verdicts mean nothing"; fi
}

bench_footer() {
  echo "   load at the end: $(uptime | sed 's/.*load average/load average/')"
}

# Drops the given files from the page cache when COLD=1.
cold() {
  [ "$COLD" = 1 ] || return 0
  local f
  for f in "$@"; do dd if="$f" iflag=nocache count=0 status=none; done
}

# Wall milliseconds of one run of a command (its output thrown away); "fail" when it fails.
wall_ms() {
  local start end
  start=$(date +%s%N)
  if "$@" >/dev/null 2>&1; then
    end=$(date +%s%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f\n", (e - s) / 1e6 }'
  else
    echo fail
  fi
}

# One run of a bench program: its RESULT lines as "name value" pairs. The program failing is a
# fault of the program, not of a reference: the script stops.
results() {
  local output
  if ! output="$("$@" 2>"$BENCH_WORK/stderr")"; then
    echo "bench program failed: $*" >&2
    cat "$BENCH_WORK/stderr" >&2
    exit 1
  fi
  printf '%s\n' "$output" | awk '$1 == "RESULT" { print $2, $3 }'
}
# The value of one name in results' output.
result() { printf '%s\n' "$1" | awk -v k="$2" '$1 == k { print $2 }'; }

# "median min max" of the values (the mean of the middle two for an even count); "fail" when
# any value is "fail".
stats() {
  if printf '%s\n' "$@" | grep -qx fail; then
    echo fail
    return
  fi
  printf '%s\n' "$@" | sort -g | awk '
    { v[NR] = $1 }
    END {
      if (NR == 0) { print "fail"; exit }
      m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "%.1f %.1f %.1f\n", m, v[1], v[NR]
    }'
}
# "median [min-max] unit" for a stats line.
spread() { echo "$1" | awk -v u="$2" '{ printf "%.1f %s [%.1f-%.1f]", $1, u, $2, $3 }'; }
median_of() { echo "$1" | awk '{ print $1 }'; }

# verdict VALUE GOAL [REASON]: "met", or by how much VALUE exceeds GOAL, or, with a reason,
# "not comparable (reason)".
verdict() {
  if [ -n "${3:-}" ]; then
    echo "not comparable ($3)"
  else
    awk -v v="$1" -v g="$2" 'BEGIN { if (v <= g) print "met"; else printf "MISSED by %.0f%%\n", (v / g - 1) * 100 }'
  fi
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "inf" }'; }

# One line of the report: label, figure, comparison, verdict.
report() { printf '  %-58s %-28s %-46s %s\n' "$1" "$2" "$3" "$4"; }
