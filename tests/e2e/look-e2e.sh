#!/usr/bin/env bash
# The window and its boxes as the user sees them, on the real program started with Qt's own
# options, which it must ignore: "-qwindowtitle X -reverse -platform nosuch". The title stays,
# the layout stays left to right, the platform comes from QT_QPA_PLATFORM. Screenshots of the
# whole window, of "Corriger" (fixed in size for the window manager too) and of "Confirmer"
# stay in the build folder, at the scale given (1 or 2, through QT_SCALE_FACTOR).
# Usage: look-e2e.sh <Ferravel executable> <folder for the screenshots> <scale>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
exe="$1"
artefacts="$2"
scale="$3"
# A screen large enough for the window at that scale.
FERRAVEL_XVFB_SCREEN="-screen 0 $((1280 * scale))x$((800 * scale))x24 -nolisten tcp"

run_on_own_display "$0" "$@"
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION XDG_CONFIG_HOME XDG_DATA_HOME WAYLAND_DISPLAY

work="$(mktemp -d /tmp/ferravel-look-e2e.XXXXXX)"
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
folder="$work/portable"
mkdir -p "$folder" "$artefacts" "$work/home"
export HOME="$work/home" # no mail program: the confirmation is cancelled anyway
cp "$exe" "$folder/Ferravel"
printf 'Anne Lefèvre <anne@exemple.test>\r\nBruno Martin <bruno.martin@exemple.test>\r\n' >"$folder/EMAILS.TXT"
printf '[FICHIER]\r\nEMAILS=%s/EMAILS.TXT\r\n' "$folder" >"$folder/Ferravel.INI"
printf 'Prix & délais\r\nRelance\r\n' >"$folder/OBJETS.TXT"
printf 'Bonjour,\r\nvoici nos prix.\r\n' >"$folder/Prix & délais.MSGX"
printf 'Jean Dupont' >"$folder/Prix & délais.SIGNX"
shot="$artefacts/look-$((scale * 100))"

fail() { echo "FAIL: $*" >&2; cat "$work/out.txt" >&2 || true; exit 1; }
title="Ferravel : Ostrande 2020 : (v ${FERRAVEL_VERSION:?the version of the program tested})"

start_window_manager
cd "$folder"
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" ./Ferravel -qwindowtitle X -reverse -platform nosuch \
  >"$work/out.txt" 2>&1 & app=$!
if ! wait_until 20 window_shown '^Ferravel : '; then
  kill -0 "$app" 2>/dev/null || fail "the program ended instead of showing its window"
  fail "no window titled 'Ferravel : …'; on screen: $(for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    printf "'%s' " "$(xdotool getwindowname "$w" 2>/dev/null || true)"; done)"
fi
window="$(first_window '^Ferravel : ')"
sleep 1 # let it paint
focus_window "$window"

name="$(xdotool getwindowname "$window")"
[ "$name" = "$title" ] || fail "title is '$name'"

# Left to right: the subject pane's blue bar lies at the right of the window, the recipient
# column (its bar in another colour) at the left.
import -window root "$shot-window.png"
echo "screenshot: $shot-window.png"
read -r ox oy < <(window_origin "$window")
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=$((HEIGHT - 467 * scale))
pixel() { convert "$shot-window.png" -format "%[pixel:p{$(($ox + $1 * scale)),$(($oy + menu + $2 * scale))}]" info:; }
right="$(pixel 700 10)"
left="$(pixel 100 10)"
echo "bar colours: left $left, right $right"
case "$right" in *"0,128,255"*) ;; *) fail "no subject bar at the right ($right): the layout is mirrored" ;; esac
case "$left" in *"0,128,255"*) fail "the subject bar is at the left: the layout is mirrored" ;; esac

click() { xdotool mousemove --window "$window" $(($1 * scale)) $(($2 * scale)) click 1; sleep 0.4; }

# "Corriger l'email" (F2) on the first line: the input box, fixed in size.
click 100 79
xdotool key --clearmodifiers F2
wait_until 20 window_shown '^Corriger$' || { import -window root "$shot-no-corriger.png"; fail "no Corriger box"; }
box="$(first_window '^Corriger$')"
sleep 0.5
import -window root "$shot-corriger.png"
echo "screenshot: $shot-corriger.png"
hints="$(xprop -id "$box" WM_NORMAL_HINTS)"
min="$(echo "$hints" | sed -n 's/.*minimum size: \([0-9]* by [0-9]*\).*/\1/p')"
max="$(echo "$hints" | sed -n 's/.*maximum size: \([0-9]* by [0-9]*\).*/\1/p')"
{ [ -n "$min" ] && [ "$min" = "$max" ]; } || fail "Corriger can be resized: $hints"
eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/BOX_/')"
xdotool windowsize "$box" $((BOX_WIDTH + 200)) $((BOX_HEIGHT + 100)) 2>/dev/null || true
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/NOW_/')"
[ "$NOW_WIDTH x $NOW_HEIGHT" = "$BOX_WIDTH x $BOX_HEIGHT" ] ||
  fail "Corriger was resized to $NOW_WIDTH x $NOW_HEIGHT from $BOX_WIDTH x $BOX_HEIGHT"
xdotool key --clearmodifiers Escape
wait_until 10 eval '! window_shown "^Corriger$"' || fail "Escape did not close Corriger"

# "Envoyer" with the line and the first subject chosen: the confirmation, cancelled.
focus_window "$window"
click 140 428
wait_until 20 window_shown '^Confirmer$' || { import -window root "$shot-no-confirmer.png"; fail "no confirmation box"; }
sleep 0.5
import -window root "$shot-confirmer.png"
echo "screenshot: $shot-confirmer.png"
xdotool key --clearmodifiers Escape
wait_until 10 eval '! window_shown "^Confirmer$"' || fail "Escape did not close Confirmer"

quit_program
echo "PASS"
