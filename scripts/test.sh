#!/usr/bin/env bash
# Builds everything and runs every test twice: in a plain build, and in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer; checks the style (clang-tidy) and runs each
# fuzz target for 30 s in between.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh --test
jobs="$(nproc)"

run_suite() {
  local dir="$1"; shift
  echo "== $dir: configure and build"
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== $dir: tests"
  ctest --test-dir "$dir" -j"$jobs" --output-on-failure
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
echo "== style"
./scripts/style.sh build
echo "== fuzz targets"
./scripts/fuzz.sh 30
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTRIFA_SANITIZE=ON -DZENTRIFA_BENCH=OFF
