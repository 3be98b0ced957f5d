#!/usr/bin/env bash
# A monkey test: a storm of random keys, clicks, splitter drags and menu choices (from a
# fixed seed) on the real program in a portable folder holding its configuration, subjects,
# a recipient list and documents. Mail goes to a recording handler. Passes when the program
# is still running at the end, then closes, prints no sanitizer report, and leaves only whole
# text files in its folder.
# Usage: monkey-e2e.sh <Ferravel executable> <text_file_check> [EVENTS [SEED]]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
exe="$1"
checker="$2"
events="${3:-${FERRAVEL_MONKEY_EVENTS:-3000}}"
seed="${4:-20240607}"
batch=250 # actions per xdotool run; the program must be alive after each

run_on_own_display "$0" "$@"
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION WAYLAND_DISPLAY XDG_CONFIG_HOME XDG_DATA_HOME
export QT_QPA_PLATFORM=xcb
# A sanitizer report must reach stderr and end the program at once.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

work="$(mktemp -d /tmp/ferravel-monkey.XXXXXX)"
logs="$(mktemp -d /tmp/ferravel-monkey-logs.XXXXXX)"
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$work" "$logs"' EXIT
fail() {
  echo "FAIL: $*" >&2
  echo "--- program output (last lines)" >&2
  tail -60 "$logs/out.txt" >&2 || true
  exit 1
}

# The portable folder: the program, its configuration, subjects, list and documents.
folder="$work/portable"
mkdir -p "$folder"
cp "$exe" "$folder/Ferravel"
"$here/mail-recorder/setup.sh" "$work" "$logs/mail.txt"
export HOME="$work"
crlf() { printf '%s\r\n' "$@"; }
crlf '[FICHIER]' "EMAILS=$folder/EMAILS.TXT" >"$folder/Ferravel.INI"
crlf 'Offre de printemps' 'Relance' 'Facture été' >"$folder/OBJETS.TXT"
crlf 'un@exemple.test' 'Deux <deux@exemple.test>' 'éric@exemple.test' 'sans adresse' >"$folder/EMAILS.TXT"
crlf 'Bonjour,' 'Voici notre offre de printemps.' >"$folder/Offre de printemps.MSGX"
crlf 'Le service commercial' >"$folder/Offre de printemps.SIGNX"
crlf 'Bien à vous,' 'Ostrande' >"$folder/Standard.SIGNX"

start_window_manager

cd "$folder"
start_program "$logs/out.txt"
read -r ox oy < <(window_origin "$window")

/usr/bin/python3 "$here/monkey-events.py" "$seed" "$events" "$ox" "$oy" >"$logs/events"
awk -v per="$batch" -v dir="$logs" '
  /^#$/ { if (++n % per == 0) file = ""; next }
  { if (file == "") file = sprintf("%s/batch.%06d", dir, n / per); print > file }' "$logs/events"
echo "$events actions (seed $seed) in $(ls "$logs"/batch.* | wc -l) batches, window at $ox,$oy"
done_batches=0
for b in "$logs"/batch.*; do
  kill -0 "$app" 2>/dev/null || fail "the program ended during the storm, after $((done_batches * batch)) actions"
  xdotool - <"$b" >/dev/null 2>&1 || true
  done_batches=$((done_batches + 1))
done
sleep 1
kill -0 "$app" 2>/dev/null || fail "the program ended during the storm"
links=0; [ -f "$logs/mail.txt" ] && links=$(wc -l <"$logs/mail.txt")
echo "alive after the storm; $links mail links handed over"

# Close: leave any box and menu, then Ctrl+Q (a box about a save that failed gets Enter);
# a window that still does not close is killed.
xdotool mouseup 1 2>/dev/null || true
for _ in 1 2 3 4 5; do
  xdotool key Escape
  sleep 0.2
done
for _ in 1 2 3; do
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers ctrl+q
  wait_until 3 program_ended && break
  xdotool key Return
  sleep 0.3
done
if kill -0 "$app" 2>/dev/null; then
  echo "the window stayed open: ended with SIGTERM"
  kill -TERM "$app"
fi
status=0
wait "$app" || status=$?
app=""
if grep -Eq 'AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|runtime error:' "$logs/out.txt"; then
  fail "sanitizer report"
fi
case $status in 0 | 143) ;; *) fail "the program ended with status $status" ;; esac

files=()
while IFS= read -r -d '' f; do files+=("$f"); done < <(find "$folder" -type f ! -name Ferravel -print0)
echo "${#files[@]} files in the portable folder"
"$checker" "${files[@]}" >"$logs/check.txt" || { cat "$logs/check.txt" >&2; fail "a file is no whole text file"; }
echo PASS
