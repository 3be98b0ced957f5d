#!/bin/sh
# Runs one program on its own X display (Xvfb) under the openbox window manager, so that
# windows get real frames. Usage: with-window-manager.sh PROGRAM [ARGS...]
set -eu
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" "$0" --inside "$@"
fi
shift
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
# The window manager is ready once it has announced itself on the root window.
i=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  i=$((i + 1))
  if [ "$i" -gt 100 ]; then
    echo "openbox did not start" >&2
    exit 1
  fi
  sleep 0.05
done
QT_QPA_PLATFORM=xcb "$@"
