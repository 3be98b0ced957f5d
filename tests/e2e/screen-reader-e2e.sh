#!/usr/bin/env bash
# The real program read through the desktop's accessibility bus, as a screen reader reads it:
# started from a portable folder whose configuration names a recipient list and whose first
# subject has its documents, on its own X display with a window manager and its own private
# D-Bus session and accessibility bus. screen-reader-e2e.py checks every control, the line
# actions, the announcements and the boxes; Ctrl+Q then closes the window.
# Usage: screen-reader-e2e.sh <Ferravel executable>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/program-lib.sh"
exe="$1"

run_on_own_display "$0" "$@"
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION WAYLAND_DISPLAY

work="$(mktemp -d /tmp/ferravel-screen-reader-e2e.XXXXXX)"
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true; stop_accessibility_bus; rm -rf "$work"' EXIT
folder="$work/portable"
mkdir -p "$folder"
export HOME="$work/home"
mkdir -p "$HOME"

fail() { echo "FAIL: $*" >&2; cat "$work/out.txt" >&2 || true; exit 1; }

cp "$exe" "$folder/Ferravel"
printf 'Anne <anne@exemple.test>\r\nBruno Martin <bruno.martin@exemple.test>\r\n' > "$folder/EMAILS.TXT"
printf '[FICHIER]\r\nEMAILS=%s/EMAILS.TXT\r\n' "$folder" > "$folder/Ferravel.INI"
printf 'Devis\r\nRelance\r\n' > "$folder/OBJETS.TXT"
printf 'Bonjour,\r\nvoici le devis.' > "$folder/Devis.MSGX"
printf 'Jean' > "$folder/Devis.SIGNX"
printf 'Cordialement' > "$folder/Modele.SIGNX"

start_window_manager
start_accessibility_bus "$work/run"
cd "$folder"
start_program "$work/out.txt"
focus_window "$window"

/usr/bin/python3 "$here/screen-reader-e2e.py" "$folder" || fail "the window as a screen reader reads it"

quit_program
echo "PASS"
