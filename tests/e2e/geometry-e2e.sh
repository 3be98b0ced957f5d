#!/usr/bin/env bash
# The real program's window geometry across starts, under openbox (a framing window manager)
# or on a bare X server (no window manager, as with tiling managers that draw no frame).
# First start without a configuration: no user-specified position in the size hints (the
# window manager places the window). Then: restart, resize and move with xdotool, close,
# restart: the window comes back at that size and place.
# Usage: geometry-e2e.sh <Ferravel executable> openbox|bare
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
exe="$1"
mode="$2"

run_on_own_display "$0" "$@"

work="$(mktemp -d /tmp/ferravel-e2e.XXXXXX)"
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$exe" "$work/Ferravel"
export HOME="$work"

fail() { echo "FAIL ($mode): $*" >&2; cat "$work/out.txt" >&2 || true; cat "$work/Ferravel.INI" >&2 || true; exit 1; }

client_geometry() { # "x y width height" of the client area
  eval "$(xdotool getwindowgeometry --shell "$window")"
  local origin
  origin="$(window_origin "$window")"
  echo "$origin $WIDTH $HEIGHT"
}
stored_geometry() { grep -a '^Form1=' "$work/Ferravel.INI" | head -1 | cut -d= -f2 | tr -d '\r'; }
client_is() { [ "$(client_geometry)" = "$1" ]; }
client_is_size() { read -r _ _ w h <<<"$(client_geometry)"; [ "$w" -eq "$1" ] && [ "$h" -eq "$2" ]; }
# The frame's extra size (left+right, top+bottom); 0 0 without a window manager.
frame_extra() {
  local extents
  extents="$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')"
  if [ -z "$extents" ]; then echo "0 0"; return; fi
  IFS=, read -r l r t b <<<"$extents"
  echo "$((l + r)) $((t + b))"
}

if [ "$mode" = openbox ]; then
  start_window_manager
else
  # No window manager: nothing says which window is active; the keyboard focus is set directly.
  focus_window() { wait_until 10 give_focus "$1" || fail "window $1 never took the focus"; }
  give_focus() {
    xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
    [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$1" ]
  }
fi
cd "$work"

# 1. First start: the window manager chooses the place; the size is the design size.
start_program "$work/out.txt"
hints="$(xprop -id "$window" WM_NORMAL_HINTS)"
echo "$hints"
if grep -qi 'user specified location' <<<"$hints"; then fail "the first start sets a user-specified position"; fi
read -r _ _ w h <<<"$(client_geometry)"
[ "$w" -eq 839 ] || fail "first start width $w, expected 839"
quit_program
[ -n "$(stored_geometry)" ] || fail "no geometry saved at the first close"
echo "saved at first close: $(stored_geometry)"

# 2. Restart (the geometry is restored), then resize and move it, then close.
start_program "$work/out.txt"
sleep 1 # let a restore waiting for the frame settle
xdotool windowsize "$window" 900 600
wait_until 10 client_is_size 900 600 || fail "xdotool could not resize the window: $(client_geometry)"
xdotool windowmove "$window" 150 120
sleep 1
left="$(client_geometry)"
read -r fw fh <<<"$(frame_extra)"
echo "left as: $left (frame adds $fw x $fh)"
quit_program
stored="$(stored_geometry)"
echo "saved: $stored"
IFS=: read -r _ _ sw sh <<<"$stored"
[ "$sw" -eq $((900 + fw)) ] && [ "$sh" -eq $((600 + fh)) ] || fail "saved $stored for a window of 900 x 600 plus its frame"

# 3. The next start brings that size and place back.
start_program "$work/out.txt"
wait_until 10 client_is "$left" || fail "restarted as $(client_geometry), left as $left"
quit_program
echo "PASS ($mode)"
