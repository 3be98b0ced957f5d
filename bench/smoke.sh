#!/usr/bin/env bash
# Runs every benchmark script once at tiny sizes, so that none of them rots unnoticed: the
# test command's last step. At these sizes the figures and verdicts mean nothing; a script
# that fails to run, or a bench program that fails, fails the step.
# Usage: bench/smoke.sh   (FERRAVEL_BENCH_BUILD: a build that already holds the bench programs)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export SMOKE=1 REPS=1 LINES=3000
export BENCH_DIR="$(mktemp -d /tmp/ferravel-bench-smoke.XXXXXX)"
trap 'rm -rf "$BENCH_DIR"' EXIT

start=$(date +%s)
"$here/run-recipients.sh"
"$here/run-bigdrop.sh" 2
"$here/run-startup.sh"
echo "== benchmark smoke run: every script ran, in $(($(date +%s) - start)) s"
