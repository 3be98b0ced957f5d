#!/usr/bin/env bash
# What the user sees when a send does not reach a mail program, in the real program on its own
# X display with a window manager, in a throwaway HOME. One scenario per run:
#   no-handler      no program for mail links at all: the error after OK; once a handler is
#                   registered, a second send goes through
#   too-long        a message whose link is too long: the warning, no confirmation, nothing
#                   handed over
#   handler-fails   the handler fails at once: the error, and no zombie left behind
#   handler-stays   the handler stays open: no message, the window keeps answering, and the
#                   handler outlives the window
# Usage: mail-failures-e2e.sh <Ferravel executable> <folder for screenshots> <mail-recorder setup.sh> <scenario>
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
exe="$1"
artefacts="$2"
recorder_setup="$3"
scenario="$4"

run_on_own_display "$0" "$@"
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION XDG_CONFIG_HOME XDG_DATA_HOME XDG_DATA_DIRS \
  XDG_CONFIG_DIRS WAYLAND_DISPLAY BROWSER TERMINAL

# The launcher's bound (LaunchFailureBound) and some room for a loaded machine.
bound_seconds=5

work="$(mktemp -d /tmp/ferravel-mail-e2e.XXXXXX)"
handler_pid="$work/handler.pid"
# The test ends what the program started and left running (the long-lived handler).
trap 'kill "${app:-}" "${wm:-}" 2>/dev/null || true
      [ -s "$handler_pid" ] && kill "$(cat "$handler_pid")" 2>/dev/null || true
      rm -rf "$work"' EXIT
folder="$work/portable"
links="$work/links.txt"
export HOME="$work/home"
mkdir -p "$folder" "$artefacts" "$HOME"

fail() {
  echo "FAIL ($scenario): $*" >&2
  import -window root "$artefacts/mail-$scenario-failed.png" 2>/dev/null || true
  cat "$work/out.txt" >&2 || true
  exit 1
}

# register_handler NAME BODY: a mail handler of the throwaway HOME whose script (sh, the link
# in $1) has this body, made the default for mail links.
register_handler() {
  local apps="$HOME/.local/share/applications"
  mkdir -p "$apps" "$HOME/.config"
  printf '#!/bin/sh\n%s\n' "$2" > "$work/$1.sh"
  chmod +x "$work/$1.sh"
  printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s %%u\nMimeType=x-scheme-handler/mailto;\nNoDisplay=true\n' \
    "$1" "$work/$1.sh" > "$apps/$1.desktop"
  HOME="$HOME" xdg-mime default "$1.desktop" x-scheme-handler/mailto
}

cp "$exe" "$folder/Ferravel"
printf 'Anne <anne@exemple.test>\r\nBruno Martin <bruno.martin@exemple.test>\r\n' > "$folder/EMAILS.TXT"
printf '[FICHIER]\r\nEMAILS=%s/EMAILS.TXT\r\n[HAUTEUR]\r\nSIGN=110\r\n' "$folder" > "$folder/Ferravel.INI"
printf 'Devis\r\n' > "$folder/OBJETS.TXT"
printf 'Bonjour,\r\nvoici le devis.' > "$folder/Devis.MSGX"
printf 'Jean' > "$folder/Devis.SIGNX"
expected_link='mailto:bruno.martin@exemple.test?subject=Devis&body=Bonjour%2C%0D%0Avoici%20le%20devis.%0D%0A%0D%0A%0D%0AJean'

case "$scenario" in
  no-handler)
    mkdir -p "$HOME/.local/share" "$work/no-system-data" "$work/no-system-config"
    ;;
  too-long)
    "$recorder_setup" "$HOME" "$links"
    # 5,000 lines of accented text: about 60,000 characters, 190,000 bytes once encoded.
    for _ in $(seq 5000); do printf 'Ligne é à ç\r\n'; done > "$folder/Devis.MSGX"
    ;;
  handler-fails)
    register_handler broken 'echo "messagerie: impossible de démarrer" >&2
exit 1'
    ;;
  handler-stays)
    register_handler lasting "echo \$\$ > '$handler_pid'
printf '%s\\n' \"\$1\" >> '$links'
exec sleep 600"
    ;;
  *) echo "unknown scenario: $scenario" >&2; exit 2 ;;
esac

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.4; }
# send: "Envoyer" for the second line of the list, then OK in the confirmation.
send() {
  focus_window "$window"
  click 100 92 # Bruno Martin
  click 140 428 # Envoyer
  wait_until 20 window_shown '^Confirmer$' || fail "no confirmation box"
  xdotool key --clearmodifiers Return
  wait_until 10 no_window '^Confirmer$' || fail "the confirmation box stayed"
}
no_window() { ! window_shown "$1"; }
# The error report box bears the program's title alone; the main window's has more.
error_box_shown() { window_shown '^Ferravel$'; }
close_error_box() {
  focus_window "$(first_window '^Ferravel$')"
  xdotool key --clearmodifiers Return
  wait_until 10 no_window '^Ferravel$' || fail "the error box did not close"
}
no_zombie_child() { ! ps -o stat= --ppid "$app" 2>/dev/null | grep -q '^Z'; }
# stays_quiet SECONDS: no box of any kind opens meanwhile.
stays_quiet() {
  local deadline=$((SECONDS + $1))
  while [ "$SECONDS" -lt "$deadline" ]; do
    for name in '^Ferravel$' '^Avertissement$' '^Erreur$' '^Confirmer$'; do
      window_shown "$name" && fail "a box appeared: $name"
    done
    sleep 0.2
  done
}

start_window_manager
if [ "$scenario" = no-handler ]; then
  # For the program only (the window manager needs the system folders): no handler, no
  # system folders, and no browser to fall back on.
  export XDG_DATA_HOME="$HOME/.local/share" XDG_DATA_DIRS="$work/no-system-data" \
    XDG_CONFIG_DIRS="$work/no-system-config" BROWSER=false
fi
cd "$folder"
start_program "$work/out.txt"

case "$scenario" in
  no-handler)
    send
    wait_until $((bound_seconds + 15)) error_box_shown || fail "no error after OK"
    import -window root "$artefacts/mail-no-handler-error.png"
    close_error_box
    kill -0 "$app" || fail "the program is gone"
    # The user registers a mail program and sends again.
    "$recorder_setup" "$HOME" "$links"
    send
    wait_until 30 test -s "$links" || fail "the second send reached no handler"
    [ "$(head -1 "$links")" = "$expected_link" ] || fail "link: $(head -1 "$links")"
    stays_quiet 2
    ;;
  too-long)
    focus_window "$window"
    click 100 92
    click 140 428
    wait_until 20 window_shown '^Avertissement$' || fail "no warning"
    window_shown '^Confirmer$' && fail "a confirmation was asked"
    import -window root "$artefacts/mail-too-long-warning.png"
    focus_window "$(first_window '^Avertissement$')"
    xdotool key --clearmodifiers Return
    wait_until 10 no_window '^Avertissement$' || fail "the warning did not close"
    stays_quiet 2
    [ ! -s "$links" ] || fail "something reached the handler: $(head -c 200 "$links")"
    ;;
  handler-fails)
    send
    wait_until $((bound_seconds + 15)) error_box_shown || fail "no error after OK"
    import -window root "$artefacts/mail-handler-fails-error.png"
    wait_until 5 no_zombie_child || fail "a zombie is left: $(ps -o pid=,stat=,comm= --ppid "$app")"
    close_error_box
    ;;
  handler-stays)
    send
    wait_until 30 test -s "$handler_pid" || fail "the handler did not start"
    [ "$(head -1 "$links")" = "$expected_link" ] || fail "link: $(head -1 "$links")"
    stays_quiet $((bound_seconds + 2))
    # The window still answers: another send asks again (and is cancelled).
    focus_window "$window"
    click 140 428
    wait_until 20 window_shown '^Confirmer$' || fail "the window no longer answers"
    xdotool key --clearmodifiers Escape
    wait_until 10 no_window '^Confirmer$' || fail "the confirmation box stayed"
    ;;
esac

quit_program

if [ "$scenario" = handler-stays ]; then
  sleep 1
  kill -0 "$(cat "$handler_pid")" 2>/dev/null || fail "closing the window ended the mail handler"
fi
echo "PASS ($scenario)"
