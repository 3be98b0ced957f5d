#!/usr/bin/env bash
# Runs one test program on its own virtual X display (the xcb platform), away from the
# user's desktop: without desktop variables xdg-open looks handlers up in the plain way.
set -eu
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION \
  GNOME_DESKTOP_SESSION_ID MATE_DESKTOP_SESSION_ID WAYLAND_DISPLAY BROWSER
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "$FERRAVEL_XVFB_SCREEN" "$@"
