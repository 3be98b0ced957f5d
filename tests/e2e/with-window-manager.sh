#!/usr/bin/env bash
# Runs one program on its own X display (Xvfb) under the openbox window manager, so that
# windows get real frames. Usage: with-window-manager.sh PROGRAM [ARGS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/program-lib.sh"
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "$FERRAVEL_XVFB_SCREEN" "$0" --inside "$@"
fi
shift
fail() { echo "FAIL: $*" >&2; exit 1; }
trap 'kill "${wm:-}" 2>/dev/null || true' EXIT
start_window_manager
QT_QPA_PLATFORM=xcb "$@"
