#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Ferravel need.
# Idempotent: installs only what is missing; a machine that has everything is left alone.
set -euo pipefail

PACKAGES=(
  # build
  cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libsimpleini-dev
  # fonts and icons used by the window
  fonts-dejavu-core fonts-wine tango-icon-theme
  # real display for end-to-end tests and for trying the program
  xvfb xauth xdotool x11-xserver-utils x11-utils imagemagick xdg-utils openbox
  # real file drops from a GTK drag source
  python3 python3-gi gir1.2-gtk-3.0
  # fuzzing (libFuzzer with clang, sanitizers)
  clang libfuzzer-14-dev libclang-rt-14-dev
  # locale data for the sort benchmark
  locales
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
    echo "Ferravel: these packages are missing and I am not root: ${missing[*]}" >&2
    exit 1
  fi
fi

echo "Ferravel: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
