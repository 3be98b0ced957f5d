#!/usr/bin/env bash
# Formats every C++ file of the project with .clang-format; with --check, changes nothing and
# fails when a file is not formatted (the test command runs it so).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -d '' files < <(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ "${1:-}" = --check ]; then
  clang-format --dry-run -Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
