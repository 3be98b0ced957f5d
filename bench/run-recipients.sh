#!/usr/bin/env bash
# The recipient list's measures on the program's own classes, on a generated list of a million
# lines ("Prénom Nom <adresse>", CR LF) saved in Windows-1252, UTF-8 and UTF-16, each measure
# against its reference run in the same run, the two alternating run by run:
#   load + first screen   the real window (offscreen) loads the list and paints it, against
#                         iconv turning the Windows-1252 file into UTF-16 (LC_ALL=C)
#   memory                resident memory of that window beyond the idle window, loaded and at
#                         its peak while loading, against the file's size
#   search keystroke      Edit1Change scanning every line, against grep -ciF (LC_ALL=C)
#   sort                  "Trier" in French, against sort -f under fr_FR.UTF-8 (both cores, and
#                         --parallel=1 beside it)
#   upper, strip, delete, save   against iconv; the save goes into a file beside the list
# Usage: [REPS=5] [LINES=1000000] [SEARCH_TEXT=zorglub] [COLD=1] bench/run-recipients.sh
# (the other options: bench/lib.sh)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../scripts/lib.sh"
source "$here/lib.sh"

LINES="${LINES:-1000000}"
SEARCH_TEXT="${SEARCH_TEXT:-zorglub}"

bench_build
mkdir -p "$BENCH_DIR"
BENCH_WORK="$(mktemp -d "$BENCH_DIR/run.XXXXXX")"
trap 'rm -rf "$BENCH_WORK"' EXIT

# The list is generated once per size and kept; the run works on copies, and its saves, the
# window's configuration file and OBJETS.TXT stay beside them.
cached="$BENCH_DIR/liste-$LINES.txt"
[ -s "$cached" ] || "$here/gen_list" "$cached" "$LINES"
list="$BENCH_WORK/liste.txt"
list_utf8="$BENCH_WORK/liste-utf8.txt"
list_utf16="$BENCH_WORK/liste-utf16.txt"
cp "$cached" "$list"
LC_ALL=C iconv -f WINDOWS-1252 -t UTF-8 "$list" >"$list_utf8"
{ printf '\xff\xfe'; LC_ALL=C iconv -f WINDOWS-1252 -t UTF-16LE "$list"; } >"$list_utf16"
cp "$BENCH_BUILD/bench/bench_window" "$BENCH_BUILD/bench/bench_recipients" "$BENCH_WORK/"
export HOME="$BENCH_WORK"
size=$(stat -c %s "$list")

# ---- The references, checked once: a reference that fails or does not do the same work
# gives "not comparable" instead of a verdict.
iconv_ref() { LC_ALL=C iconv -f WINDOWS-1252 -t UTF-16LE "$list"; }
iconv_problem=""
converted=$(iconv_ref 2>/dev/null | wc -c) || true
[ "$converted" = $((2 * size)) ] || iconv_problem="iconv gave $converted bytes for $size characters"

grep_ref() { LC_ALL=C grep -ciF -- "$SEARCH_TEXT" "$list" || [ $? -eq 1 ]; }
grep_problem=""
grep_count=$(grep_ref 2>/dev/null) || grep_problem="grep failed"

# sort(1) reads UTF-8 in its locale: it gets the same lines in UTF-8.
if ! locale -a 2>/dev/null | grep -qix 'fr_FR\.utf-\?8' && [ "$(id -u)" -eq 0 ] && [ -f /etc/locale.gen ] \
  && command -v locale-gen >/dev/null; then
  sed -i 's/^# *\(fr_FR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null 2>&1 || true
fi
sort_ref() { LC_ALL=fr_FR.UTF-8 sort -f "$list_utf8"; }
sort_ref1() { LC_ALL=fr_FR.UTF-8 sort -f --parallel=1 "$list_utf8"; }
sort_problem=""
if ! locale -a 2>/dev/null | grep -qix 'fr_FR\.utf-\?8'; then
  sort_problem="no fr_FR.UTF-8 locale: sort would not collate in French"
else
  sorted_lines=$(sort_ref 2>/dev/null | wc -l) || true
  [ "$sorted_lines" = "$LINES" ] || sort_problem="sort gave $sorted_lines lines for $LINES"
fi

bench_header "recipient list: $LINES lines; Windows-1252 $size bytes, UTF-8 $(stat -c %s "$list_utf8"), UTF-16 $(stat -c %s "$list_utf16")"

# ---- The runs, alternating.
declare -A times mem_after mem_peak
add() { times[$1]+="$2 "; }
program() { # name, then the command; checks what every run must show
  local name="$1" out
  shift
  out="$(results "$@")"
  add "$name" "$(result "$out" ms)"
  LAST="$out"
}
for ((r = 0; r < REPS; r++)); do
  cold "$list"
  add ref_iconv "$(wall_ms iconv_ref)"
  for enc in cp1252 utf8 utf16; do
    case $enc in cp1252) f="$list" ;; utf8) f="$list_utf8" ;; utf16) f="$list_utf16" ;; esac
    cold "$f"
    rm -f "$BENCH_WORK/bench_window.INI"
    program "load_$enc" "$BENCH_WORK/bench_window" load "$f"
    [ "$(result "$LAST" lines)" = "$LINES.00" ] || { echo "the window loaded $(result "$LAST" lines) lines" >&2; exit 1; }
    [ "$(result "$LAST" paints)" != "0.00" ] || { echo "the list was not painted" >&2; exit 1; }
    [ "$(result "$LAST" errors)" = "0.00" ] || { echo "the window reported an error" >&2; exit 1; }
    mem_after[$enc]+="$(awk -v a="$(result "$LAST" after_kb)" -v i="$(result "$LAST" idle_kb)" 'BEGIN { print (a - i) * 1024 }') "
    mem_peak[$enc]+="$(awk -v p="$(result "$LAST" peak_kb)" -v i="$(result "$LAST" idle_kb)" 'BEGIN { print (p - i) * 1024 }') "
  done
  cold "$list"
  add ref_grep "$(wall_ms grep_ref)"
  program search "$BENCH_WORK/bench_recipients" search "$list" "$SEARCH_TEXT"
  found=$(result "$LAST" found)
  # Both must scan every line: found nowhere, or found both.
  if [ -z "$grep_problem" ] && [ "$([ "$found" = "$LINES" ] && echo 0 || echo 1)" != "$([ "$grep_count" = 0 ] && echo 0 || echo 1)" ]; then
    grep_problem="grep counted $grep_count lines holding \"$SEARCH_TEXT\", the list's search stopped at line $found"
  fi
  cold "$list_utf8"
  add ref_sort "$(wall_ms sort_ref)"
  cold "$list_utf8"
  add ref_sort1 "$(wall_ms sort_ref1)"
  for op in sort upper strip delete save; do
    cold "$list"
    program "$op" "$BENCH_WORK/bench_recipients" "$op" "$list"
  done
  rm -f "$list.sauve.txt"
done

st() { stats ${times[$1]}; }
iconv_s=$(st ref_iconv)
grep_s=$(st ref_grep)
sort_s=$(st ref_sort)
sort1_s=$(st ref_sort1)
[ "$iconv_s" != fail ] || iconv_problem="${iconv_problem:-iconv failed}"
[ "$grep_s" != fail ] || grep_problem="${grep_problem:-grep failed}"
[ "$sort_s" != fail ] && [ "$sort1_s" != fail ] || sort_problem="${sort_problem:-sort failed}"
shown() { [ "$1" = fail ] && echo "failed" || spread "$1" ms; }

echo "-- references (medians [min-max] of $REPS runs)"
report "iconv -f WINDOWS-1252 -t UTF-16LE (LC_ALL=C)" "$(shown "$iconv_s")" "${iconv_problem:+not comparable: $iconv_problem}" ""
report "grep -ciF $SEARCH_TEXT (LC_ALL=C)" "$(shown "$grep_s")" "${grep_problem:+not comparable: $grep_problem}" ""
report "sort -f, fr_FR.UTF-8, $(nproc) cores (default)" "$(shown "$sort_s")" "${sort_problem:+not comparable: $sort_problem}" ""
report "sort -f, fr_FR.UTF-8, --parallel=1" "$(shown "$sort1_s")" "" ""

echo "-- the program against its references (ratio of medians)"
against() { # label, measure, reference stats, reference name, goal ratio, problem
  local s m ref
  s=$(st "$2")
  m=$(median_of "$s")
  ref=$(median_of "$3")
  if [ -n "$6" ] || [ "$3" = fail ]; then
    report "$1" "$(spread "$s" ms)" "vs $4" "$(verdict 0 0 "${6:-the reference failed}")"
  else
    report "$1" "$(spread "$s" ms)" "$(ratio "$m" "$ref")x $4 (goal <= $5x)" "$(verdict "$(ratio "$m" "$ref")" "$5")"
  fi
}
for enc in cp1252 utf8 utf16; do
  case $enc in cp1252) name="Windows-1252" ;; utf8) name="UTF-8" ;; utf16) name="UTF-16" ;; esac
  against "load + first screen, $name (window, offscreen paint)" "load_$enc" "$iconv_s" "iconv" 1.00 "$iconv_problem"
done
against "search keystroke, full scan (Edit1Change)" search "$grep_s" "grep" 4.00 "$grep_problem"
s=$(st search)
report "" "" "goal <= 50 ms" "$(verdict "$(median_of "$s")" 50)"
against "sort, French (Trier, fr_FR)" sort "$sort_s" "sort -f" 0.20 "$sort_problem"
s=$(st sort)
report "" "" "$(ratio "$(median_of "$s")" "$(median_of "$sort1_s")")x sort -f --parallel=1 (no goal)" ""
report "" "" "goal <= 1000 ms" "$(verdict "$(median_of "$s")" 1000)"
for op in upper strip delete save; do
  case $op in upper) label="Tout en Majuscules" ;; strip) label="Supprimer les < et les >" ;;
    delete) label="Supprimer l'email (one marked line)" ;; save) label="Enregistrer, beside the list" ;; esac
  against "$label" "$op" "$iconv_s" "iconv" 4.00 "$iconv_problem"
  s=$(st "$op")
  report "" "" "goal < 500 ms" "$(verdict "$(median_of "$s")" 500)"
done

echo "-- memory of the window beyond the idle window, against the file's size (medians [min-max] of $REPS)"
for enc in cp1252 utf8 utf16; do
  case $enc in cp1252) f="$list" name="Windows-1252" ;; utf8) f="$list_utf8" name="UTF-8" ;; utf16) f="$list_utf16" name="UTF-16" ;; esac
  fsize=$(stat -c %s "$f")
  a=$(stats ${mem_after[$enc]})
  p=$(stats ${mem_peak[$enc]})
  mb() { echo "$1" | awk '{ printf "%.1f MB [%.1f-%.1f]", $1 / 1e6, $2 / 1e6, $3 / 1e6 }'; }
  report "list loaded, $name ($((fsize / 1000000)) MB file)" "$(mb "$a")" "$(ratio "$(median_of "$a")" "$fsize")x the file (goal <= 1.5x)" \
    "$(verdict "$(ratio "$(median_of "$a")" "$fsize")" 1.5)"
  report "peak while loading, $name" "$(mb "$p")" "$(ratio "$(median_of "$p")" "$fsize")x the file (goal <= 2x)" \
    "$(verdict "$(ratio "$(median_of "$p")" "$fsize")" 2)"
done
bench_footer
