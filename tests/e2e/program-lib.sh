# Sourced by the end-to-end scripts that drive the real program on their own X display.
# They define fail() before calling these; $wm, $app and $window are set here for their
# EXIT traps and their own steps.

FERRAVEL_E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The virtual screen every end-to-end test runs on.
FERRAVEL_XVFB_SCREEN="-screen 0 1280x800x24 -nolisten tcp"

# run_on_own_display "$0" "$@": first thing in a script, runs it again on a virtual X display
# of its own (Xvfb), unless it already runs on one.
run_on_own_display() {
  if [ -z "${FERRAVEL_E2E_DISPLAY:-}" ]; then
    export FERRAVEL_E2E_DISPLAY=1
    exec xvfb-run -a -s "$FERRAVEL_XVFB_SCREEN" "$@"
  fi
}

# Starts openbox and waits until it manages windows. Openbox announces itself on the root
# window a little before it frames new windows, and a window mapped in between can stay
# unmanaged (no frame, never focused): it is ready once it has framed a probe window, shown
# again until it does. Now and then openbox does not come up at all on a loaded machine: it is
# started again (its own words are shown when it never does).
start_window_manager() {
  local wm_log attempt
  wm_log="$(mktemp /tmp/ferravel-openbox.XXXXXX)"
  for attempt in 1 2 3; do
    openbox --sm-disable >"$wm_log" 2>&1 & wm=$!
    wait_until 20 wm_announced && break
    echo "openbox did not announce itself (try $attempt; $(kill -0 "$wm" 2>/dev/null && echo running || echo ended)):" >&2
    cat "$wm_log" >&2
    kill "$wm" 2>/dev/null || true
    wait "$wm" 2>/dev/null || true
    [ "$attempt" -lt 3 ] || { rm -f "$wm_log"; fail "openbox did not start"; }
  done
  rm -f "$wm_log"
  local probe
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    xmessage -geometry +0+0 -title ferravel-wm-probe probe >/dev/null 2>&1 & probe=$!
    if wait_until 3 clients_managed; then
      kill "$probe" 2>/dev/null || true
      wait "$probe" 2>/dev/null || true
      wait_until 10 no_client_managed || true
      return 0
    fi
    kill "$probe" 2>/dev/null || true
    wait "$probe" 2>/dev/null || true
  done
  fail "openbox does not manage windows"
}
wm_announced() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
clients_managed() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q '0x'; }
no_client_managed() { ! clients_managed; }

# start_program LOG: starts ./Ferravel from the current folder, its output in LOG, and waits
# until its window is on screen and painted.
start_program() {
  QT_QPA_PLATFORM=xcb ./Ferravel >"$1" 2>&1 & app=$!
  wait_until 20 window_shown '^Ferravel : ' || fail "the window did not appear"
  window="$(first_window '^Ferravel : ')"
  window_settled "$window" || fail "the window does not answer"
}

# window_settled ID: the window's program has handled every event sent to it so far, and what
# those made it post (its first paint, a click's consequences): three round trips through its
# event loop, each answered only after the one before was handled (bounded: a hung program
# fails).
window_settled() {
  local i
  for i in 1 2 3; do "$FERRAVEL_E2E_DIR/window-answers.py" "$1" 20 || return 1; done
}

# first_window PATTERN: the id of the first visible window whose name matches, or nothing.
first_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }
window_shown() { [ -n "$(first_window "$1")" ]; }

# window_origin ID: the screen position of a window's client area, as "x y".
window_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'
}

# wait_until SECONDS COMMAND...: runs COMMAND every tenth of a second until it succeeds or
# SECONDS have passed; fails when it never succeeded. Steps of a loaded machine (or of a
# sanitizer build) can take seconds, and a test must not mistake that for a fault.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# focus_window ID: makes ID the active window and waits until the window manager says so,
# so that keys sent next reach it even on a loaded machine.
focus_window() {
  wait_until 10 activate_window "$1" || fail "window $1 never became active"
}
activate_window() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  [ "$(xdotool getactivewindow 2>/dev/null || true)" = "$1" ]
}

# Closes the window with Ctrl+Q; fails unless the window goes and the program then ends
# without an error. A sanitizer build can take a while to leave, hence the long waits.
quit_program() {
  focus_window "$window"
  xdotool key --clearmodifiers ctrl+q
  if ! wait_until 20 program_window_gone; then
    echo "windows on screen:" >&2
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      echo "  $w $(xdotool getwindowname "$w" 2>/dev/null || true)" >&2
    done
    fail "Ctrl+Q did not close the window"
  fi
  wait_until 60 program_ended || fail "the program did not end after its window closed"
  wait "$app" || fail "the program ended with an error"
  app=""
}
program_window_gone() { ! xdotool search --onlyvisible --name '^Ferravel : ' 2>/dev/null | grep -qx "$window"; }
program_ended() { ! kill -0 "$app" 2>/dev/null; }

# start_accessibility_bus FOLDER: a private D-Bus session and accessibility bus for this test
# alone (their sockets under FOLDER), and programs started next made readable on it; nothing of
# the user's own session is touched. Screen-reader scripts (screen_reader.py, Debian's
# /usr/bin/python3) then read the program through it. stop_accessibility_bus ends both; call it
# from the EXIT trap.
start_accessibility_bus() {
  export XDG_RUNTIME_DIR="$1"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
  eval "$(dbus-launch --sh-syntax)"
  a11y_dbus="$DBUS_SESSION_BUS_PID"
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & a11y_launcher=$!
  wait_until 10 accessibility_bus_up || fail "the accessibility bus did not start"
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
accessibility_bus_up() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1
}
stop_accessibility_bus() {
  kill "${a11y_launcher:-}" "${a11y_dbus:-}" 2>/dev/null || true
}
