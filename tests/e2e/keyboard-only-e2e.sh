#!/usr/bin/env bash
# A user who never touches the mouse, from a first start in an empty portable folder (no
# configuration, no subjects) to a sent message:
#   Ctrl+O, the list's full path typed into the real file chooser, Return: the list is shown,
#   its caption stays what a drop leaves (a drop does not change it), and Ferravel.INI already
#   holds the path;
#   a subject typed in the subject field, Escape (the field is left, the message field gets
#   the keyboard), Shift+F10, "Charger un fichier…", the message file's path typed, Return;
#   then, as a screen reader does, a line's box is ticked through the accessibility bus (as a
#   click on it, which also chooses the line) and "Envoyer" is pressed through the bus (no key
#   reaches the list or the button under the window's key policy); Return confirms. The
#   recording mail handler must receive the link with that message.
# Usage: keyboard-only-e2e.sh <Ferravel executable> <folder for the screenshots> <mail-recorder setup.sh>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/program-lib.sh"
exe="$1"
artefacts="$2"
recorder_setup="$3"

run_on_own_display "$0" "$@"
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION XDG_CONFIG_HOME XDG_DATA_HOME WAYLAND_DISPLAY BROWSER

work="$(mktemp -d /tmp/ferravel-keyboard-e2e.XXXXXX)"
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true; stop_accessibility_bus; rm -rf "$work"' EXIT
folder="$work/portable"
files="$work/papiers"
links="$work/links.txt"
mkdir -p "$folder" "$files" "$artefacts"
export HOME="$work/home"
"$recorder_setup" "$HOME" "$links"

cp "$exe" "$folder/Ferravel"
printf 'Anne <anne@exemple.test>\r\nBruno Martin <bruno.martin@exemple.test>\r\n' > "$files/clients.txt"
printf 'Bonjour,\r\nvoici le devis.' > "$files/lettre.MSGX"

fail() {
  echo "FAIL: $*" >&2
  import -window root "$artefacts/keyboard-only-failed.png" 2>/dev/null || true
  cat "$work/out.txt" >&2 || true
  exit 1
}

screen_reader() { /usr/bin/python3 "$here/screen_reader.py" "$@"; }

start_window_manager
start_accessibility_bus "$work/runtime" # after the window manager, which it can keep from starting
cd "$folder"
start_program "$work/out.txt"
focus_window "$window"
program_window_is_active() { [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$window" ]; }
# The program's windows on screen: the main window, and a menu or a box while one is open.
program_windows() { xdotool search --onlyvisible --pid "$app" 2>/dev/null | wc -l; }
more_program_windows_than() { [ "$(program_windows)" -gt "$1" ]; }
keys() { xdotool key --clearmodifiers "$@"; }
type_text() { xdotool type --delay 20 "$1"; }

# The list, from the file chooser.
keys ctrl+o
wait_until 20 window_shown "^Ouvrir une liste d'EMAILS" || fail "Ctrl+O opened no file chooser"
chooser="$(first_window "^Ouvrir une liste d'EMAILS")"
focus_window "$chooser"
type_text "$files/clients.txt"
keys Return
wait_until 20 program_window_is_active || fail "the chooser did not close"
list_path_stored() { grep -q "^EMAILS=$files/clients.txt"$'\r'"\$" "$folder/Ferravel.INI" 2>/dev/null; }
wait_until 20 list_path_stored || fail "Ferravel.INI does not hold the list's path: $(cat "$folder/Ferravel.INI" 2>&1)"
screen_reader find "Bruno Martin <bruno.martin@exemple.test>" "list item" || fail "the list is not shown"
screen_reader find 'Déposer ici le fichier "EMAILS.TXT"' || fail "the list's caption changed"
import -window root "$artefacts/keyboard-only-list.png"

# A subject, then the message from the message field's context menu.
type_text "Devis"
keys Escape
wait_until 20 window_shown '^Informations$' || fail "the new subject was not announced"
focus_window "$(first_window '^Informations$')"
keys Return
wait_until 20 program_window_is_active || fail "the notice did not close"
wait_until 10 test -e "$folder/Devis.MSGX" || fail "leaving the subject field made no documents"
windows_before="$(program_windows)"
keys shift+F10
wait_until 10 more_program_windows_than "$windows_before" || fail "Shift+F10 opened no context menu"
keys Return # "Charger un fichier…" heads the menu
wait_until 20 window_shown "^Charger un fichier" || fail "the context menu's first item opened no chooser"
chooser="$(first_window "^Charger un fichier")"
focus_window "$chooser"
type_text "$files/lettre.MSGX"
keys Return
wait_until 20 program_window_is_active || fail "the chooser did not close"
import -window root "$artefacts/keyboard-only-message.png"

# The screen reader's part: tick Bruno's line (as a click on its box, which also chooses the
# line as recipient), then press the button.
screen_reader toggle "Bruno Martin <bruno.martin@exemple.test>" "list item" || fail "the line cannot be ticked through the bus"
screen_reader press $'Envoyer à\r\n\r\nbruno.martin@exemple.test' || fail "the send button cannot be pressed through the bus"
wait_until 20 window_shown '^Confirmer$' || fail "no confirmation box"
focus_window "$(first_window '^Confirmer$')"
keys Return

wait_until 30 test -s "$links" || fail "the mail handler received nothing"
link="$(head -1 "$links")"
echo "link: $link"
expected='mailto:bruno.martin@exemple.test?subject=Devis&body=Bonjour%2C%0D%0Avoici%20le%20devis.%0D%0A%0D%0A%0D%0A'
[ "$link" = "$expected" ] || fail "link is '$link', expected '$expected'"
[ "$(wc -l < "$links")" -eq 1 ] || fail "more than one link: $(cat "$links")"

quit_program
grep -q "^EMAILS=$files/clients.txt" "$folder/Ferravel.INI" || fail "the list's path was not kept"
echo "PASS"
