#!/usr/bin/env bash
# What a drop of a big binary file (no zero byte, so all of it is text) costs the real window
# (offscreen): the drop on the recipient list and on the message field, each in a fresh
# process, against a bare read of the same file, the runs alternating. Memory is counted
# beyond the idle window (beyond the bare process for the read) and against the file's size.
# Usage: [REPS=5] [COLD=1] bench/run-bigdrop.sh [megabytes, default 100]   (options: bench/lib.sh)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../scripts/lib.sh"
source "$here/lib.sh"
megabytes="${1:-100}"

bench_build
mkdir -p "$BENCH_DIR"
BENCH_WORK="$(mktemp -d "$BENCH_DIR/run.XXXXXX")"
trap 'rm -rf "$BENCH_WORK"' EXIT
# A portable copy: a list drop writes the configuration file beside the executable.
cp "$BENCH_BUILD/bench/bench_window" "$BENCH_WORK/"
export HOME="$BENCH_WORK"
file="$BENCH_WORK/binaire.txt"
"$BENCH_WORK/bench_window" make "$file" "$megabytes"
size=$(stat -c %s "$file")

bench_header "a drop of a $megabytes MB binary file ($size bytes)"
declare -A times mem_peak mem_after errors
for ((r = 0; r < REPS; r++)); do
  for mode in read drop-list drop-message; do
    cold "$file"
    rm -f "$BENCH_WORK/bench_window.INI"
    out="$(results "$BENCH_WORK/bench_window" "$mode" "$file")"
    times[$mode]+="$(result "$out" ms) "
    mem_peak[$mode]+="$(awk -v p="$(result "$out" peak_kb)" -v i="$(result "$out" idle_kb)" 'BEGIN { print (p - i) * 1024 }') "
    mem_after[$mode]+="$(awk -v a="$(result "$out" after_kb)" -v i="$(result "$out" idle_kb)" 'BEGIN { print (a - i) * 1024 }') "
    errors[$mode]="$(result "$out" errors) $(result "$out" lines)"
  done
done

read_s=$(stats ${times[read]})
read_problem=""
[ "$(stats ${mem_peak[read]} | awk '{ print ($1 >= '"$size"') }')" = 1 ] || read_problem="the bare read held less than the file"
mb() { echo "$1" | awk '{ printf "%.1f MB [%.1f-%.1f]", $1 / 1e6, $2 / 1e6, $3 / 1e6 }'; }
echo "-- reference (medians [min-max] of $REPS runs)"
report "bare read of the file" "$(spread "$read_s" ms)" "peak $(mb "$(stats ${mem_peak[read]})")" "${read_problem:+not comparable: $read_problem}"
echo "-- the drops (time against the bare read, no goal; peak beyond the idle window against the file)"
for mode in drop-list drop-message; do
  case $mode in drop-list) label="on the recipient list" ;; drop-message) label="on the message field" ;; esac
  s=$(stats ${times[$mode]})
  p=$(stats ${mem_peak[$mode]})
  a=$(stats ${mem_after[$mode]})
  set -- ${errors[$mode]}
  if [ "$1" != "0.00" ]; then
    what="refused with an error"
  elif [ $mode = drop-list ]; then
    what="loaded, $(printf '%.0f' "$2") lines"
  else
    what="taken by the field"
  fi
  report "drop $label ($what)" "$(spread "$s" ms)" "$(ratio "$(median_of "$s")" "$(median_of "$read_s")")x the bare read" ""
  report "  peak beyond the idle window" "$(mb "$p")" "$(ratio "$(median_of "$p")" "$size")x the file (goal <= 2x)" \
    "$(verdict "$(ratio "$(median_of "$p")" "$size")" 2)"
  report "  held afterwards" "$(mb "$a")" "$(ratio "$(median_of "$a")" "$size")x the file" ""
done
bench_footer
