#!/usr/bin/env bash
# The real program under executable names whose section header holds "]" or outer spaces:
# two starts and closes leave one section of that name, and the second start restores the
# geometry the first one saved. On a bare X server, without a window manager.
# Usage: exe-names-e2e.sh <Ferravel executable>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
exe="$1"

run_on_own_display "$0" "$@"

work="$(mktemp -d /tmp/ferravel-e2e.XXXXXX)"
trap 'kill "${app:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME="$work"
fail() { echo "FAIL ($name): $*" >&2; cat "$work/out.txt" >&2 || true; exit 1; }

# No window manager: the keyboard focus is set directly.
focus_window() { wait_until 10 give_focus "$1" || fail "window $1 never took the focus"; }
give_focus() {
  xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
  [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$1" ]
}
program_window() { xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -1 || true; }
window_up() { [ -n "$(program_window)" ]; }
start() {
  QT_QPA_PLATFORM=xcb "./$name" >"$work/out.txt" 2>&1 & app=$!
  wait_until 20 window_up || fail "the window did not appear"
  window="$(program_window)"
  sleep 1
}
program_window_gone() { ! kill -0 "$app" 2>/dev/null || [ -z "$(program_window)" ]; }
stop() {
  focus_window "$window"
  xdotool key --clearmodifiers ctrl+q
  wait_until 20 program_window_gone || fail "Ctrl+Q did not close the window"
  wait "$app" || fail "the program ended with an error"
  app=""
}

for name in 'Ferravel[2]' ' Ferravel' 'Ferravel ' 'Ferravel]'; do
  folder="$work/$(printf '%s' "$name" | tr ' []' '_()')"
  mkdir -p "$folder"
  cp "$exe" "$folder/$name"
  cd "$folder"
  ini="$folder/$name.INI"
  start
  xdotool windowsize "$window" 760 520
  xdotool windowmove "$window" 70 40
  sleep 1
  stop
  saved="$(grep -a '^Form1=' "$ini" | tr -d '\r')"
  [ "$saved" = "Form1=70:40:760:520" ] || fail "first close saved '$saved'"
  start # restores what the first close saved
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$WIDTH" = 760 ] && [ "$HEIGHT" = 520 ] || fail "the second start is $WIDTH x $HEIGHT"
  stop
  headers="$(grep -ac "^\[$(printf '%s' "$name" | sed 's/[][]/\\&/g')\]" "$ini" || true)"
  [ "$headers" = 1 ] || fail "$headers sections [$name] in: $(cat -A "$ini")"
  [ "$(grep -ac '^Form1=' "$ini")" = 1 ] || fail "more than one geometry: $(cat -A "$ini")"
  echo "ok: '$name'"
done
echo PASS
