# Sourced by the end-to-end scripts that drive the real program on their own X display.
# They define fail() before calling these; $wm, $app and $window are set here for their
# EXIT traps and their own steps.

# Starts openbox and waits until it manages the screen.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 & wm=$!
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.05
  done
}

# start_program LOG: starts ./Ferravel from the current folder, its output in LOG, and waits
# until its window is on screen and painted.
start_program() {
  QT_QPA_PLATFORM=xcb ./Ferravel >"$1" 2>&1 & app=$!
  window=""
  for _ in $(seq 1 200); do
    window="$(xdotool search --onlyvisible --name '^Ferravel : ' 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "the window did not appear"
  sleep 1 # let it paint
}

# window_origin ID: the screen position of a window's client area, as "x y".
window_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'
}

# Closes the window with Ctrl+Q; fails unless the program then ends without an error.
quit_program() {
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  xdotool key --clearmodifiers ctrl+q
  for _ in $(seq 1 50); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app" 2>/dev/null; then fail "Ctrl+Q did not close the window"; fi
  wait "$app" || fail "the program ended with an error"
  app=""
}
