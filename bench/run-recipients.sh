#!/usr/bin/env bash
# Measures the recipient list's core operations on a generated list of a million lines, in
# one run against standard tools on the same file, and prints the ratios against the goals.
#   REPS=5 LINES=1000000 SEARCH_TEXT=zorglub bench/run-recipients.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"

REPS="${REPS:-5}"
LINES="${LINES:-1000000}"
SEARCH_TEXT="${SEARCH_TEXT:-zorglub}"

ferravel_build bench-release -DCMAKE_BUILD_TYPE=Release -DFERRAVEL_TESTS=OFF -DFERRAVEL_BENCH=ON
bench="$FERRAVEL_BUILD_ROOT/bench-release/bench/bench_recipients"

work="$(mktemp -d /tmp/ferravel-bench.XXXXXX)"
trap 'rm -rf "$work"' EXIT
list="$work/liste.txt"
"$FERRAVEL_SRC/bench/gen_list" "$list" "$LINES"
size=$(stat -c %s "$list")
echo "== $LINES lines, $size bytes, Windows-1252 with CR LF; $REPS repetitions, medians in ms"

# The French locale for sort(1); ICU gives the program its own French collation.
if ! locale -a 2>/dev/null | grep -qix 'fr_FR\.utf-\?8'; then
  if [ -f /etc/locale.gen ] && [ "$(id -u)" -eq 0 ]; then
    sed -i 's/^# *\(fr_FR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  else
    echo "fr_FR.UTF-8 is missing and cannot be generated here (needs root and the locales package)" >&2
  fi
fi
# sort(1) reads UTF-8 in that locale: give it the same lines in UTF-8.
iconv -f WINDOWS-1252 -t UTF-8 "$list" > "$work/liste-utf8.txt"

# Wall time of one command in ms (its output and status ignored).
time_ms() {
  local start end
  start=$(date +%s%N)
  "$@" > /dev/null 2>&1 || true
  end=$(date +%s%N)
  echo $(( (end - start) / 1000000 ))
}
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
repeat_ms() {
  local times=() r
  for ((r = 0; r < REPS; r++)); do times+=("$(time_ms "$@")"); done
  echo "$(median "${times[@]}")   (${times[*]})" >&2
  median "${times[@]}"
}

echo "-- reference tools"
echo -n "iconv: " >&2; iconv_ms=$(repeat_ms iconv -f WINDOWS-1252 -t UTF-16LE "$list")
echo -n "grep -ciF: " >&2; grep_ms=$(repeat_ms grep -ciF "$SEARCH_TEXT" "$list")
echo -n "sort -f (fr_FR.UTF-8): " >&2; sort_ms=$(repeat_ms env LC_ALL=fr_FR.UTF-8 sort -f "$work/liste-utf8.txt")

echo "-- the program's operations"
results="$("$bench" "$list" "$REPS" "$SEARCH_TEXT" | tee /dev/stderr)"
memory="$("$bench" --memory "$list")"
echo "$memory"

get() { printf '%s\n%s\n' "$results" "$memory" | awk -v k="$1" '$1 == "RESULT" && $2 == k { print $3 }'; }

echo
echo "== against the goals (iconv ${iconv_ms} ms, grep ${grep_ms} ms, sort ${sort_ms} ms)"
report() { # name ms goal-text ok(0/1) detail
  printf '%-22s %9s   %-40s %s\n' "$1" "$2" "$4" "$3"
}
check() { awk "BEGIN { exit !($1) }"; }
verdict() { if check "$1"; then echo "met"; else echo "MISSED"; fi; }

v=$(get load_and_show)
report "load + first screen" "$v ms" "$(verdict "$v <= 2 * $iconv_ms")" \
  "$(awk "BEGIN { printf \"%.2fx iconv (goal <= 2x)\", $v / $iconv_ms }")"
v=$(get "search:$SEARCH_TEXT")
report "search keystroke" "$v ms" "$(verdict "$v <= 50 && $v <= 4 * $grep_ms")" \
  "$(awk "BEGIN { printf \"%.2fx grep (goal <= 4x and <= 50 ms)\", $v / $grep_ms }")"
v=$(get sort_fr)
report "sort (French)" "$v ms" "$(verdict "$v <= $sort_ms")" \
  "$(awk "BEGIN { printf \"%.2fx sort -f (goal <= 1x)\", $v / $sort_ms }")"
for op in upper strip_brackets delete_marked_line save; do
  v=$(get "$op")
  report "$op" "$v ms" "$(verdict "$v < 500 && $v <= 4 * $iconv_ms")" \
    "$(awk "BEGIN { printf \"%.2fx iconv (goal < 500 ms and <= 4x)\", $v / $iconv_ms }")"
done
rss=$(get rss_kb)
report "resident memory" "$((rss / 1024)) MB" "$(verdict "$rss * 1024 <= 3 * $size")" \
  "$(awk "BEGIN { printf \"%.2fx the file (goal <= 3x); peak while loading %d MB\", $rss * 1024 / $size, $(get peak_rss_kb) / 1024 }")"
