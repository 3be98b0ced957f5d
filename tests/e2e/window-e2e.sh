#!/usr/bin/env bash
# Starts the real program from a fresh portable folder on its own X display (with a window
# manager), checks its window's title and client size, keeps a screenshot in the build
# folder, then quits it with Ctrl+Q.
# Usage: window-e2e.sh <Ferravel executable> <folder for the screenshot>
set -euo pipefail
exe="$1"
artefacts="$2"

if [ -z "${FERRAVEL_E2E_DISPLAY:-}" ]; then
  export FERRAVEL_E2E_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" "$0" "$@"
fi

work="$(mktemp -d /tmp/ferravel-e2e.XXXXXX)"
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$exe" "$work/Ferravel"
mkdir -p "$artefacts"
export HOME="$work"

openbox >/dev/null 2>&1 & wm=$!
sleep 0.5
cd "$work"
./Ferravel >"$work/out.txt" 2>&1 & app=$!

title="Ferravel : Ostrande 2020 : (v 0.20.3)"
window=""
for _ in $(seq 1 100); do
  window="$(xdotool search --onlyvisible --name '^Ferravel : Ostrande 2020 : \(v 0\.20\.3\)$' 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
fail() { echo "FAIL: $*" >&2; cat "$work/out.txt" >&2; exit 1; }
[ -n "$window" ] || fail "no window titled '$title'"
sleep 1 # let it paint

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

xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+q
for _ in $(seq 1 50); do
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$app" 2>/dev/null; then fail "Ctrl+Q did not close the window"; fi
wait "$app" || fail "the program ended with an error"
echo "PASS"
