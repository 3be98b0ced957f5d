#!/usr/bin/env bash
# Start-up to the first painted frame, in one run on one Xvfb display, the runs alternating:
#   - the real window (main()'s start-up, no list) against a bare Qt window built the same way;
#   - the time a list of a million lines adds to it (the window loads it at show, before its
#     first frame: start-up with the list minus start-up without it), for the list in
#     Windows-1252, UTF-8 and UTF-16, against iconv turning the Windows-1252 file into
#     UTF-16 (LC_ALL=C).
# Usage: [REPS=15] [LINES=1000000] [COLD=1] bench/run-startup.sh   (options: bench/lib.sh)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../scripts/lib.sh"
REPS="${REPS:-${1:-15}}"
source "$here/lib.sh"
LINES="${LINES:-1000000}"

if [ -z "${FERRAVEL_BENCH_DISPLAY:-}" ]; then
  bench_build
  export FERRAVEL_BENCH_BUILD="$BENCH_BUILD" FERRAVEL_BENCH_DISPLAY=1 REPS
  exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" "$0"
fi
bench_build

mkdir -p "$BENCH_DIR"
BENCH_WORK="$(mktemp -d "$BENCH_DIR/run.XXXXXX")"
trap 'rm -rf "$BENCH_WORK"' EXIT
cached="$BENCH_DIR/liste-$LINES.txt"
[ -s "$cached" ] || "$here/gen_list" "$cached" "$LINES"
list="$BENCH_WORK/liste.txt"
cp "$cached" "$list"
LC_ALL=C iconv -f WINDOWS-1252 -t UTF-8 "$list" >"$BENCH_WORK/liste-utf8.txt"
{ printf '\xff\xfe'; LC_ALL=C iconv -f WINDOWS-1252 -t UTF-16LE "$list"; } >"$BENCH_WORK/liste-utf16.txt"
size=$(stat -c %s "$list")
cp "$BENCH_BUILD/bench/startup/bench_startup_ferravel" "$BENCH_BUILD/bench/startup/bench_startup_bare" "$BENCH_WORK/"
cd "$BENCH_WORK"
export HOME="$BENCH_WORK"

iconv_ref() { LC_ALL=C iconv -f WINDOWS-1252 -t UTF-16LE "$list"; }
iconv_problem=""
converted=$(iconv_ref 2>/dev/null | wc -c) || true
[ "$converted" = $((2 * size)) ] || iconv_problem="iconv gave $converted bytes for $size characters"

# The window finds its list in the configuration file beside the executable.
with_list() { printf '[FICHIER]\r\nEMAILS=%s\r\n' "$1" >"$BENCH_WORK/bench_startup_ferravel.INI"; }
without_list() { rm -f "$BENCH_WORK/bench_startup_ferravel.INI"; }
frame_ms() { # program: milliseconds to its first frame, "fail" when it printed none
  local ms
  ms="$(BENCH_T0_NS="$(date +%s%N)" "./$1" 2>/dev/null)" || true
  [[ "$ms" =~ ^[0-9.]+$ ]] && echo "$ms" || echo fail
}

without_list
frame_ms bench_startup_bare >/dev/null
frame_ms bench_startup_ferravel >/dev/null # warms the caches
bench_header "start-up to the first frame; lists of $LINES lines ($size bytes in Windows-1252)"
declare -A times
for ((r = 0; r < REPS; r++)); do
  times[bare]+="$(frame_ms bench_startup_bare) "
  without_list
  times[none]+="$(frame_ms bench_startup_ferravel) "
  for enc in cp1252 utf8 utf16; do
    case $enc in cp1252) f="$list" ;; utf8) f="$BENCH_WORK/liste-utf8.txt" ;; utf16) f="$BENCH_WORK/liste-utf16.txt" ;; esac
    with_list "$f"
    cold "$f"
    times[$enc]+="$(frame_ms bench_startup_ferravel) "
  done
  without_list
  cold "$list"
  times[iconv]+="$(wall_ms iconv_ref) "
done

for k in bare none cp1252 utf8 utf16; do
  [ "$(stats ${times[$k]})" != fail ] || { echo "a start-up printed no first frame ($k)" >&2; exit 1; }
done
iconv_s=$(stats ${times[iconv]})
[ "$iconv_s" != fail ] || iconv_problem="${iconv_problem:-iconv failed}"
bare_s=$(stats ${times[bare]})
none_s=$(stats ${times[none]})
echo "-- medians [min-max] of $REPS runs"
report "bare Qt window" "$(spread "$bare_s" ms)" "" ""
report "iconv -f WINDOWS-1252 -t UTF-16LE (LC_ALL=C)" "$([ "$iconv_s" = fail ] && echo failed || spread "$iconv_s" ms)" \
  "${iconv_problem:+not comparable: $iconv_problem}" ""
report "Ferravel window, no list" "$(spread "$none_s" ms)" "$(ratio "$(median_of "$none_s")" "$(median_of "$bare_s")")x the bare window (goal <= 2x)" \
  "$(verdict "$(ratio "$(median_of "$none_s")" "$(median_of "$bare_s")")" 2)"
for enc in cp1252 utf8 utf16; do
  case $enc in cp1252) name="Windows-1252" ;; utf8) name="UTF-8" ;; utf16) name="UTF-16" ;; esac
  s=$(stats ${times[$enc]})
  added=$(awk -v a="$(median_of "$s")" -v b="$(median_of "$none_s")" 'BEGIN { printf "%.1f", a - b }')
  report "Ferravel window with the $name list" "$(spread "$s" ms)" "" ""
  if [ -n "$iconv_problem" ]; then
    report "  time the list adds" "$added ms" "vs iconv" "$(verdict 0 0 "$iconv_problem")"
  else
    report "  time the list adds" "$added ms" "$(ratio "$added" "$(median_of "$iconv_s")")x iconv (goal <= 1.2x)" \
      "$(verdict "$(ratio "$added" "$(median_of "$iconv_s")")" 1.2)"
  fi
done
bench_footer
