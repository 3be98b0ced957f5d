#!/usr/bin/env bash
# Installs the Debian 12 packages Ferravel needs. Idempotent: installs only what is missing.
#   install-deps.sh run    what building and running the program needs
#   install-deps.sh test   that, plus what the test suite, the fuzz targets and the benchmarks need
# Test-only packages never come with "run": some of them (a terminal mail program, for one)
# register themselves on the desktop, and do not belong on a user's machine.
set -euo pipefail

RUN_PACKAGES=(
  # build
  cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libxcb1-dev
  # the recipient sort's collation keys (the ICU that Qt itself uses)
  libicu-dev
  # fonts and icons used by the window
  fonts-dejavu-core fonts-wine tango-icon-theme
  # Qt's own texts (context menus, standard buttons) in French
  qt6-translations-l10n
  # handing mail links to the desktop's mail program
  xdg-utils
)
TEST_PACKAGES=(
  # real display for end-to-end tests and for trying the program
  xvfb xauth xdotool x11-xserver-utils x11-utils imagemagick openbox
  # real file drops from a GTK drag source
  python3 python3-gi gir1.2-gtk-3.0
  # fuzzing (libFuzzer with clang, sanitizers)
  clang libfuzzer-14-dev libclang-rt-14-dev
  # style check
  clang-format
  # locale data for the sort benchmark
  locales
  # a real mail program for the end-to-end send test (it registers itself as the desktop's
  # mail handler: never with "run")
  neomutt tmux
  # the window read through the desktop's accessibility bus, as a screen reader reads it
  at-spi2-core dbus-x11 python3-pyatspi
)

case "${1:-}" in
  run) PACKAGES=("${RUN_PACKAGES[@]}") ;;
  test) PACKAGES=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

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
