#!/usr/bin/env bash
# A monkey test: a storm of random keys, clicks, splitter drags and menus (from a fixed seed)
# on the real program in a portable folder holding its configuration, subjects, a recipient
# list and documents. Mail goes to a recording handler. Passes when every batch of actions
# reached the window (xdotool reported no failure), the window answered after each batch
# (a round trip through the program's event loop, which a hung program fails), the boxes
# left open were answered and Ctrl+Q then ended the program with status 0, no sanitizer
# spoke, and the folder holds only the files the program may write, each a whole text,
# beside the files the storm cannot write, unchanged to the byte.
# Usage: monkey-e2e.sh <Ferravel executable> <text_file_check> [EVENTS [SEED]]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
answer_bound=30 # seconds the window has to answer after a batch (a sanitizer build, a busy machine)
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
# Every text holds a character beyond ASCII, so that it is read as UTF-8 and kept so.
crlf 'Offre de printemps' 'Relance' 'Facture été' >"$folder/OBJETS.TXT"
crlf 'un@exemple.test' 'Deux <deux@exemple.test>' 'éric@exemple.test' 'sans adresse' >"$folder/EMAILS.TXT"
crlf 'Bonjour,' 'Voici notre offre d’été.' >"$folder/Offre de printemps.MSGX"
crlf 'Le service commercial, à votre écoute' >"$folder/Offre de printemps.SIGNX"
crlf 'Bien à vous,' 'Ostrande' >"$folder/Standard.SIGNX"
crlf 'Notes à garder' >"$folder/Notes.txt"
# Files no action of the storm writes: the program, a template no subject is named after,
# a file that is none of the program's.
untouchable=(Ferravel Standard.SIGNX Notes.txt)
mkdir -p "$logs/before"
for f in "${untouchable[@]}"; do cp "$folder/$f" "$logs/before/"; done

start_window_manager

cd "$folder"
start_program "$logs/out.txt"
read -r ox oy < <(window_origin "$window")

/usr/bin/python3 "$here/monkey-events.py" "$seed" "$events" "$ox" "$oy" >"$logs/events"
# Batches of $batch actions; each batch file comes with the count of the actions it holds.
awk -v per="$batch" -v dir="$logs" '
  /^#$/ { count[file]++; if (++n % per == 0) file = ""; next }
  { if (file == "") file = sprintf("%s/batch.%06d", dir, n / per); print > file }
  END { for (f in count) print count[f] > (f ".count") }' "$logs/events"
echo "$events actions (seed $seed) in $(ls "$logs"/batch.*[0-9] | wc -l) batches, window at $ox,$oy"
answers() { "$here/window-answers.py" "$window" "$answer_bound"; }
sent=0
for b in "$logs"/batch.*[0-9]; do
  kill -0 "$app" 2>/dev/null || fail "the program ended during the storm, after $sent actions"
  # xdotool ignores an unknown key with a word on stderr only: any word fails the batch.
  if ! xdotool - <"$b" >"$logs/xdotool.txt" 2>&1 || [ -s "$logs/xdotool.txt" ]; then
    cat "$logs/xdotool.txt" >&2
    fail "xdotool failed in $(basename "$b"), after $sent actions"
  fi
  sent=$((sent + $(cat "$b.count")))
  if ! answers; then
    kill -0 "$app" 2>/dev/null || fail "the program ended during the storm, in the $sent actions sent by then"
    fail "the window did not answer after $sent actions: the program hangs"
  fi
done
links=0; [ -f "$logs/mail.txt" ] && links=$(wc -l <"$logs/mail.txt")
echo "sent $sent actions; the window answered after each batch; $links mail links handed over"
[ "$sent" -eq "$events" ] || fail "sent $sent actions of $events"

# Close: leave any menu, answer each box the storm left open by its own key (a question is
# declined, a notice acknowledged), then Ctrl+Q must end the program by itself.
known_box='^(Confirmer|Corriger|Rechercher|Avertissement|Informations|Erreur|Ferravel)$'
other_windows() {
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$w" = "$window" ] || echo "$w $(xdotool getwindowname "$w" 2>/dev/null || true)"
  done
}
xdotool mouseup 1 mouseup 3 2>/dev/null || true
xdotool key Escape
quit_sent=0 boxes=0
for _ in $(seq 1 12); do
  program_ended && break
  read -r box title < <(other_windows | head -1) || true
  if [ -n "${box:-}" ]; then
    [[ "$title" =~ $known_box ]] || fail "an unknown window is open: $(other_windows)"
    case $title in Confirmer | Corriger | Rechercher) key=Escape ;; *) key=Return ;; esac
    focus_window "$box"
    xdotool key --clearmodifiers "$key"
    box_gone() { ! xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$box"; }
    wait_until 10 box_gone || fail "the box '$title' did not close on $key"
    boxes=$((boxes + 1))
    box=""
    continue
  fi
  focus_window "$window"
  xdotool key --clearmodifiers ctrl+q
  quit_sent=$((quit_sent + 1))
  box_or_end() { program_ended || [ -n "$(other_windows)" ]; }
  wait_until 20 box_or_end || true
done
program_ended || fail "Ctrl+Q ($quit_sent times, $boxes boxes answered) did not end the program"
echo "ended by Ctrl+Q ($quit_sent times) after answering $boxes boxes"
status=0
wait "$app" || status=$?
app=""
if grep -Eq 'AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|runtime error:' "$logs/out.txt"; then
  fail "sanitizer report"
fi
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# The folder: only the program's own names (no temporary file, no folder), the untouchable
# files as they were, the configuration with the geometry written at the close, and every
# list and document a whole UTF-8 text.
strays="$(find "$folder" -mindepth 1 ! \( -type f \( -name Ferravel -o -name Ferravel.INI -o -name OBJETS.TXT \
  -o -name EMAILS.TXT -o -name Notes.txt -o -name '?*.MSGX' -o -name '?*.SIGNX' \) \) -printf '%P\n')"
[ -z "$strays" ] || fail "unexpected entries in the portable folder: $strays"
for f in "${untouchable[@]}"; do
  cmp -s "$logs/before/$f" "$folder/$f" || fail "$f changed"
done
grep -aEq '^Form1=-?[0-9]+:-?[0-9]+:[0-9]+:[0-9]+' "$folder/Ferravel.INI" ||
  fail "no geometry in the configuration: $(od -c "$folder/Ferravel.INI" | head)"
documents=()
while IFS= read -r -d '' f; do documents+=("$f"); done < <(find "$folder" -name '*.MSGX' -print0 -o -name '*.SIGNX' -print0)
echo "$((${#documents[@]} + 3)) lists and documents in the portable folder"
"$checker" --lists --utf8 "$folder/Ferravel.INI" "$folder/OBJETS.TXT" "$folder/EMAILS.TXT" >"$logs/check.txt" &&
  "$checker" --utf8 "${documents[@]}" >>"$logs/check.txt" || { cat "$logs/check.txt" >&2; fail "a file is no whole text"; }
echo PASS
