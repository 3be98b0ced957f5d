#!/usr/bin/env bash
# Starts the real program from a fresh portable folder on its own X display (with a window
# manager), checks its window's title and client size, keeps a screenshot in the build
# folder, then quits it with Ctrl+Q.
# Usage: window-e2e.sh <Ferravel executable> <folder for the screenshot>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
exe="$1"
artefacts="$2"

run_on_own_display "$0" "$@"

work="$(mktemp -d /tmp/ferravel-e2e.XXXXXX)"
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$exe" "$work/Ferravel"
mkdir -p "$artefacts"
export HOME="$work"

fail() { echo "FAIL: $*" >&2; cat "$work/out.txt" >&2; exit 1; }
title="Ferravel : Ostrande 2020 : (v ${FERRAVEL_VERSION:?the version of the program tested})"

start_window_manager
cd "$work"
start_program "$work/out.txt"

name="$(xdotool getwindowname "$window")"
[ "$name" = "$title" ] || fail "title is '$name'"

# Client area: 839 wide; 467 high below the menu bar.
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $WIDTH x $HEIGHT"
[ "$WIDTH" -eq 839 ] || fail "width $WIDTH, expected 839"
menu=$((HEIGHT - 467))
{ [ "$menu" -ge 16 ] && [ "$menu" -le 40 ]; } || fail "height $HEIGHT: menu bar of $menu pixels?"

# The window style was found: no error box.
if xdotool search --onlyvisible --name '^Erreur$' >/dev/null 2>&1; then fail "an error box is open"; fi

import -window root "$artefacts/window.png"
echo "screenshot: $artefacts/window.png"

quit_program
echo "PASS"
