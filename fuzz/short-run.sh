#!/usr/bin/env bash
# short-run.sh <fuzz binary> <corpus dir> <regressions dir> <seconds>
# Replays every saved failing input, then fuzzes a copy of the seed corpus for a few seconds
# (the copy takes the new inputs, so the sources stay untouched). Fails on any finding.
set -euo pipefail
binary="$1" corpus="$2" regressions="$3" seconds="$4"
work="$(mktemp -d /tmp/ferravel-fuzz.XXXXXX)"
trap 'rm -rf "$work"' EXIT

if compgen -G "$regressions/*" >/dev/null; then
  echo "== replaying $(ls "$regressions" | wc -l) saved input(s)"
  "$binary" -artifact_prefix="$work/" "$regressions"/*
fi
mkdir "$work/corpus"
cp -r "$corpus"/. "$work/corpus/"
echo "== fuzzing for $seconds s"
"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/corpus"
