#!/usr/bin/env bash
# A user's round in the real program, started from a portable folder on its own X display
# with a window manager: the configuration names a recipient list, OBJETS.TXT holds two
# subjects with their documents. Click a recipient, pick a subject, add a line to its
# message, "Envoyer", confirm with Enter: the default mail handler (a recording one) must
# receive that one link, with that address, subject and body. Ctrl+Q then closes the window,
# which must leave the configuration and OBJETS.TXT as they should be: OBJETS.TXT starts in
# a form the program never writes (LF, no final line break), so only a real save at the close
# turns it into the CR LF form.
# Usage: subjects-e2e.sh <Ferravel executable> <folder for the screenshots> <mail-recorder setup.sh>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
exe="$1"
artefacts="$2"
recorder_setup="$3"

run_on_own_display "$0" "$@"
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION XDG_CONFIG_HOME XDG_DATA_HOME WAYLAND_DISPLAY BROWSER

work="$(mktemp -d /tmp/ferravel-subjects-e2e.XXXXXX)"
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
folder="$work/portable"
links="$work/links.txt"
mkdir -p "$folder" "$artefacts"
export HOME="$work/home"
"$recorder_setup" "$HOME" "$links"

cp "$exe" "$folder/Ferravel"
printf 'Anne <anne@exemple.test>\r\nBruno Martin <bruno.martin@exemple.test>\r\n' > "$folder/EMAILS.TXT"
printf '[FICHIER]\r\nEMAILS=%s/EMAILS.TXT\r\n[HAUTEUR]\r\nSIGN=110\r\n' "$folder" > "$folder/Ferravel.INI"
printf 'Devis\nRelance' > "$folder/OBJETS.TXT"
printf 'Bonjour,\r\nvoici le devis.' > "$folder/Devis.MSGX"
printf 'Jean' > "$folder/Devis.SIGNX"
printf 'Petit rappel\r\n' > "$folder/Relance.MSGX"
printf 'Service client' > "$folder/Relance.SIGNX"

fail() { echo "FAIL: $*" >&2; cat "$work/out.txt" >&2 || true; exit 1; }

start_window_manager
cd "$folder"
start_program "$work/out.txt"
focus_window "$window"

# Places inside the window (design layout at 96 dpi, menu bar included): the second line of
# the recipient list, the second subject of the subject list, the send button.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; window_settled "$window" || fail "the window does not answer"; }
click 100 92      # Bruno Martin
click 320 91      # Relance
import -window root "$artefacts/subjects-picked.png"
xdotool key --clearmodifiers ctrl+End
xdotool type --delay 20 "Merci."
click 140 428     # Envoyer
wait_until 20 window_shown '^Confirmer$' ||
  { import -window root "$artefacts/subjects-no-confirmation.png"; fail "no confirmation box"; }
xdotool key --clearmodifiers Return

wait_until 30 test -s "$links" || fail "the mail handler received nothing"
link="$(head -1 "$links")"
echo "link: $link"
expected='mailto:bruno.martin@exemple.test?subject=Relance&body=Petit%20rappel%0D%0AMerci.%0D%0A%0D%0A%0D%0AService%20client'
[ "$link" = "$expected" ] || fail "link is '$link', expected '$expected'"

quit_program

# One link only: counted after the close, so that a second one had time to arrive.
[ "$(wc -l <"$links")" -eq 1 ] || fail "$(wc -l <"$links") links handed over, expected one: $(cat "$links")"
# The close saves the configuration and the subject list, never the documents.
[ "$(od -c <"$folder/OBJETS.TXT")" = "$(printf 'Devis\r\nRelance\r\n' | od -c)" ] ||
  fail "OBJETS.TXT not saved at the close: $(od -c "$folder/OBJETS.TXT")"
grep -q "^EMAILS=$folder/EMAILS.TXT" "$folder/Ferravel.INI" || fail "EMAILS not kept: $(cat "$folder/Ferravel.INI")"
grep -q '^SIGN=110' "$folder/Ferravel.INI" || fail "pane height not kept: $(cat "$folder/Ferravel.INI")"
grep -Eq '^Form1=-?[0-9]+:-?[0-9]+:[0-9]+:[0-9]+' "$folder/Ferravel.INI" || fail "no geometry: $(cat "$folder/Ferravel.INI")"
[ "$(cat "$folder/Relance.MSGX")" = "$(printf 'Petit rappel\r\n')" ] || fail "the message document was saved at close"
# Picking Relance saved the documents on screen under Devis, unchanged.
[ "$(cat "$folder/Devis.MSGX")" = "$(printf 'Bonjour,\r\nvoici le devis.')" ] || fail "Devis.MSGX changed"
echo "PASS"
