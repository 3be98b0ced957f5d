#!/usr/bin/env bash
# short-run.sh <fuzz binary> <corpus dir> <regressions dir> <seconds> <findings dir>
# Replays every saved failing input, then fuzzes a copy of the seed corpus for a few seconds
# (the copy takes the new inputs, so the sources stay untouched). Fails on any finding; a
# failing input is kept in the findings folder (in the build, never in the sources) and named,
# so that it can be replayed and, once fixed, kept in the regressions folder.
set -euo pipefail
binary="$1" corpus="$2" regressions="$3" seconds="$4" findings="$5"
work="$(mktemp -d /tmp/ferravel-fuzz.XXXXXX)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings"
marker="$work/started"
: >"$marker"

status=0
if compgen -G "$regressions/*" >/dev/null; then
  echo "== replaying $(ls "$regressions" | wc -l) saved input(s)"
  "$binary" -artifact_prefix="$work/" "$regressions"/* || status=1
fi
if [ $status -eq 0 ]; then
  mkdir "$work/corpus"
  cp -r "$corpus"/. "$work/corpus/"
  echo "== fuzzing for $seconds s"
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work/corpus" || status=1
fi
if [ $status -ne 0 ]; then
  # A replayed regression fails by itself (it is in the sources); a new finding is kept here.
  kept="$(find "$findings" -type f -newer "$marker" 2>/dev/null || true)"
  if [ -n "$kept" ]; then
    echo "FAIL: the failing input is kept as:"
    printf '  %s\n' $kept
    echo "replay it with: $binary <that file>"
  else
    echo "FAIL: a saved input of $regressions fails again"
  fi
fi
exit $status
