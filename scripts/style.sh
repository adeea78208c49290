#!/usr/bin/env bash
# The style check: clang-tidy's bug-prone, performance and naming rules (.clang-tidy) over the game
# and its tools, against the compile commands of a configured build folder (default: build).
# Prints only the findings; fails on any.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if [[ ! -f "$build/compile_commands.json" ]]; then
  echo "style: $build/compile_commands.json is missing; configure with -DCMAKE_EXPORT_COMPILE_COMMANDS=ON" >&2
  exit 2
fi
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
timeout 900 run-clang-tidy -quiet -j "$(nproc)" -p "$build" "$PWD/src/" "$PWD/tools/" >"$log" 2>&1 || status=$?
if [[ $status -ne 0 ]] || grep -q "warning:\|error:" "$log"; then
  grep -A3 "warning:\|error:" "$log" | sed 's/\x1b\[[0-9;]*m//g' >&2 || true
  echo "style: clang-tidy found problems (exit $status)" >&2
  exit 1
fi
echo "style: clang-tidy clean"
