#!/usr/bin/env bash
# Builds everything and runs every test three times: in a plain build, in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and in a Release build with clang, from which the
# Debian package is made and checked. Warnings are errors in all three. Checks the style
# (clang-tidy) and runs each fuzz target for 30 s after the first.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh --test
jobs="$(nproc)"

run_suite() {
  local dir="$1"; shift
  echo "== $dir: configure and build"
  cmake -S . -B "$dir" -DZENTRIFA_WERROR=ON "$@" >/dev/null
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
CC=clang CXX=clang++ run_suite build-clang -DCMAKE_BUILD_TYPE=Release

echo "== build-clang: Debian package"
rm -f build-clang/zentrifa_*.deb
(cd build-clang && cpack -G DEB >/dev/null)
./scripts/check-package.sh build-clang/zentrifa_*.deb
echo "== build-clang: screenshots for the listing"
cmake --build build-clang --target screenshots >/dev/null
