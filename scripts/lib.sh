# Shared by the project's scripts: where the builds live and how one is made.
# Builds live outside the source tree, one folder per checkout, so that nothing is ever
# written into the sources.
FERRAVEL_SRC="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
_checkout_id="$(printf '%s' "$FERRAVEL_SRC" | md5sum | cut -c1-10)"
FERRAVEL_BUILD_ROOT="${FERRAVEL_BUILD_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/ferravel/$_checkout_id}"

# ferravel_build <name> <cmake options...>: configures (once) and builds into $FERRAVEL_BUILD_ROOT/<name>.
ferravel_build() {
  local name="$1"; shift
  local dir="$FERRAVEL_BUILD_ROOT/$name"
  mkdir -p "$dir"
  cmake -S "$FERRAVEL_SRC" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}
