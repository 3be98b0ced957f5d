#!/usr/bin/env bash
# Installs what is missing, builds Ferravel, installs it into its portable folder
# (default ~/Ferravel, or $FERRAVEL_HOME), writes a desktop launcher and starts the program
# from that folder, as the launcher would.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

"$FERRAVEL_SRC/scripts/install-deps.sh" run
ferravel_build release -DCMAKE_BUILD_TYPE=Release -DFERRAVEL_TESTS=OFF -DFERRAVEL_BENCH=OFF

home="${FERRAVEL_HOME:-$HOME/Ferravel}"
mkdir -p "$home"
# Replaces the executable only; the INI file, OBJETS.TXT and the documents stay.
cmake --install "$FERRAVEL_BUILD_ROOT/release" --prefix "$home" >/dev/null

apps="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
mkdir -p "$apps"
cat > "$apps/ferravel.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Ferravel
Comment=Envoyer un message préparé à chaque destinataire d'une liste
Exec="$home/Ferravel"
Path=$home
Icon=mail-send
Terminal=false
Categories=Office;Email;
DESKTOP

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Ferravel is installed in $home, but there is no display to show its window (DISPLAY and WAYLAND_DISPLAY are unset); try: xvfb-run -a $0" >&2
  exit 1
fi
cd "$home"
exec "$home/Ferravel"
