#!/usr/bin/env bash
# Real desktop drops on the real program: a GTK 3 window offers files as a file manager does
# (text/uri-list; names with spaces, accents and "#") and xdotool drags them with the mouse
# onto the recipient list, the message and signature fields, and two controls that take no files (the search
# field and the subject field). Each drop is checked by what the program then does: the list
# file's path lands in the configuration file and Ctrl+S writes those lines back; the text of
# the message and signature fields is copied to the clipboard; a refused drop is refused by the
# program itself (the pointer over its window at the release, its window answering "no") and
# changes nothing, its own field included. Each drag is released only once the program's
# window has answered at the drop point.
# Usage: real-drop-e2e.sh <Ferravel executable> <drag-source.py>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
exe="$1"
drag_source="$2"
python=/usr/bin/python3 # Debian's, with GTK 3 (python3-gi, gir1.2-gtk-3.0)

run_on_own_display "$0" "$@"
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb

work="$(mktemp -d /tmp/ferravel-drop.XXXXXX)"
cleanup() {
  kill "${source_pid:-}" "${app:-}" "${wm:-}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp "$exe" "$work/Ferravel"
export HOME="$work"
fail() {
  echo "FAIL: $*" >&2
  import -window root "$work/failure.png" 2>/dev/null && cp "$work/failure.png" "${FERRAVEL_E2E_ARTEFACTS:-/tmp}/real-drop-failure.png" || true
  echo "--- program output" >&2; cat "$work/out.txt" >&2 || true
  echo "--- drag source" >&2; cat "$work/source.txt" >&2 || true
  exit 1
}

files="$work/dépôt #1 à déposer"
mkdir -p "$files"
list="$files/liste des élèves #2.txt"
printf 'un@exemple.test\nDeux <deux@exemple.test>\néric@exemple.test\n' >"$list"
message="$files/message d'été #3 à 50%.MSGX"
printf 'Bonjour,\r\nVoici l’offre #3 à 50 %%.\r\n' >"$message"
signature="$files/signature d'été #5.txt"
printf 'Élodie Martin\r\n06 12 34 56 78' >"$signature"
other="$files/autre liste #4 é.txt"
printf 'autre@exemple.test\r\n' >"$other"
# A legal name that the configuration file cannot hold on one line.
broken="$files/liste sur
deux lignes.TXT"
printf 'cassé@exemple.test\r\n' >"$broken"

start_window_manager

cd "$work"
start_program "$work/out.txt"
# The window's client area, menu bar included; the layout inside is fixed (96 dpi).
read -r ox oy < <(window_origin "$window")
at() { echo $((ox + $1)) $((oy + $2)); }
LIST=(140 160) LIST_FIRST_LINE=(140 80) EDIT1=(145 59) SUBJECT=(560 58) MEMO=(545 281) SIGN=(479 435)

settle() { window_settled "$window" || fail "the window does not answer"; }
# answer_at_release: the drag's last target and answer before the release.
answer_at_release() { sed '/^under/q' "$work/source.txt" | grep '^over' | tail -1; }
# over_window: the drag's target is the program's window.
over_window() { [[ "$(grep '^over' "$work/source.txt" | tail -1)" == "over $window "* ]]; }
# drag X Y PATH...: drags the files from a fresh drag source to the screen point X, Y, then
# prints what the source saw. The release waits until the program's window is the drag's
# target and has handled the drop point's position (so its answer is in); the window under
# the pointer at that moment is printed as "under WINDOW" when it is the program's.
drag() {
  local tx="$1" ty="$2"
  shift 2
  : >"$work/source.txt"
  "$python" "$drag_source" offer 1090 60 "$@" >>"$work/source.txt" 2>&1 & source_pid=$! # appends, as the script does
  wait_until 10 grep -q ready "$work/source.txt" || fail "the drag source did not start"
  local src
  src="$(xdotool search --onlyvisible --name '^source de glisser$' | head -1)"
  read -r sx sy < <(window_origin "$src")
  sx=$((sx + 40)) sy=$((sy + 40))
  xdotool mousemove "$sx" "$sy"
  sleep 0.2
  xdotool mousedown 1
  for i in $(seq 1 10); do
    xdotool mousemove $((sx + (tx - sx) * i / 10)) $((sy + (ty - sy) * i / 10))
    sleep 0.1
  done
  wait_until 10 over_window || fail "the drag never reached the window: $(tr '\n' ' ' <"$work/source.txt")"
  settle
  # The drag holds the pointer, which then names no window: its position is compared with the
  # window's client area instead.
  eval "$(xdotool getmouselocation --shell)"
  local px=$X py=$Y
  eval "$(xdotool getwindowgeometry --shell "$window")"
  if [ "$px" -ge "$X" ] && [ "$px" -lt $((X + WIDTH)) ] && [ "$py" -ge "$Y" ] && [ "$py" -lt $((Y + HEIGHT)) ]; then
    echo "under $window" >>"$work/source.txt"
  else
    echo "under nothing of the window ($px,$py)" >>"$work/source.txt"
  fi
  xdotool mouseup 1
  wait_until 10 grep -q ended "$work/source.txt" || true
  wait "$source_pid" 2>/dev/null || true
  source_pid=""
  settle
  tr '\n' ' ' <"$work/source.txt"
}
# After a drop the drag source's window has the keyboard; the click gives it back to the program
# through the window manager, which a loaded machine can make late: keys wait until it has.
click() { xdotool mousemove $(at "$1" "$2") click 1; focus_window "$window"; sleep 0.2; }
keys() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
ini_list() { grep -a '^EMAILS=' "$work/Ferravel.INI" 2>/dev/null | cut -d= -f2- | tr -d '\r'; }
# field_text X Y: the text of the field at that point, through the clipboard.
field_text() {
  click "$1" "$2"
  keys ctrl+a ctrl+c
  "$python" "$drag_source" clipboard
}
check_list_loaded() {
  [ "$(ini_list)" = "$list" ] || fail "the configuration file names '$(ini_list)', not the dropped list"
  click "${LIST_FIRST_LINE[@]}"
  : >"$list"
  keys ctrl+s # saves the lines on screen to the list file, with CR LF line breaks
  expected="$(printf 'un@exemple.test\r\nDeux <deux@exemple.test>\r\néric@exemple.test\r\n' | od -c)"
  list_saved() { [ "$(od -c <"$list")" = "$expected" ]; }
  wait_until 20 list_saved || fail "the list saved by Ctrl+S is: $(od -c <"$list")"
}
expected_message="$(printf 'Bonjour,\nVoici l’offre #3 à 50 %%.')"

# An accepted drop: the window's last answer at the drop point takes the files.
accepted_by_window() {
  local last
  last="$(answer_at_release)"
  [[ "$last" == "over $window "* && "$last" != "over $window 0" ]] || fail "the window's last answer is '$last'"
}

echo "== the list file onto the recipient list"
seen="$(drag $(at "${LIST[@]}") "$list")"
echo "source: $seen"
[[ "$seen" == *requested* && "$seen" != *refused* ]] || fail "the list took no files: $seen"
accepted_by_window
list_named() { [ -n "$(ini_list)" ]; }
wait_until 20 list_named || true
check_list_loaded

echo "== the message onto the message field"
seen="$(drag $(at "${MEMO[@]}") "$message")"
echo "source: $seen"
[[ "$seen" == *requested* && "$seen" != *refused* ]] || fail "the message field took no files: $seen"
accepted_by_window
memo_text() { field_text "${MEMO[@]}"; }
memo_holds_message() { [ "$(memo_text)" = "$expected_message" ]; }
wait_until 10 memo_holds_message || fail "the message field holds: $(memo_text)"

echo "== the signature onto the signature field"
seen="$(drag $(at "${SIGN[@]}") "$signature")"
echo "source: $seen"
[[ "$seen" == *requested* && "$seen" != *refused* ]] || fail "the signature field took no files: $seen"
accepted_by_window
sign_text() { field_text "${SIGN[@]}"; }
expected_signature="$(printf 'Élodie Martin\n06 12 34 56 78')"
sign_holds_signature() { [ "$(sign_text)" = "$expected_signature" ]; }
wait_until 10 sign_holds_signature || fail "the signature field holds: $(sign_text)"

for target in EDIT1 SUBJECT; do
  echo "== another list onto $target, which takes no files"
  eval "point=(\"\${$target[@]}\")"
  before="$(field_text "${point[@]}")"
  seen="$(drag $(at "${point[@]}") "$other")"
  echo "source: $seen"
  [[ "$seen" == *refused* && "$seen" != *requested* ]] || fail "$target took the files: $seen"
  # Refused by the program: the pointer over its window, which answered "no action".
  [[ "$seen" == *"under $window"* ]] || fail "the drop on $target was released off the window: $seen"
  last="$(answer_at_release)"
  [ "$last" = "over $window 0" ] || fail "the window's last answer on $target is '$last', not a refusal"
  after="$(field_text "${point[@]}")"
  [ "$after" = "$before" ] || fail "$target changed: '$before' became '$after'"
done
check_list_loaded
memo_holds_message || fail "the message field changed: $(memo_text)"
sign_holds_signature || fail "the signature field changed: $(sign_text)"
if xdotool search --onlyvisible --name '^Erreur$' >/dev/null 2>&1; then fail "an error box is open"; fi

echo "== a list whose name holds a line break onto the recipient list"
# The notice opens while the drop is still in progress: the drag runs on in the background
# until the notice is answered.
drag $(at "${LIST[@]}") "$broken" >"$work/broken-drag.txt" & drag_job=$!
notice_shown() { xdotool search --onlyvisible --name '^Avertissement$' >/dev/null 2>&1; }
wait_until 10 notice_shown || fail "no notice for a path holding a line break"
notice="$(xdotool search --onlyvisible --name '^Avertissement$' | head -1)"
focus_window "$notice"
keys Return
notice_gone() { ! notice_shown; }
wait_until 10 notice_gone || fail "the notice did not close"
wait "$drag_job" || true
echo "source: $(cat "$work/broken-drag.txt")"
check_list_loaded # the former list, its path and its lines stay
if xdotool search --onlyvisible --name '^Erreur$' >/dev/null 2>&1; then fail "an error box is open"; fi

quit_program
echo PASS
