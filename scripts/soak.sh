#!/usr/bin/env bash
# The monkey soak: the real game, headless, with AddressSanitizer and UndefinedBehaviorSanitizer,
# fed FRAMES frames (default 100000) of seeded random input in sessions that each start from the
# save the last one left; after each, the save must be valid and alone in its folder.
#
#   scripts/soak.sh [FRAMES] [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
frames="${1:-100000}"
seed="${2:-1}"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTRIFA_SANITIZE=ON -DZENTRIFA_BENCH=OFF >/dev/null
cmake --build build-sanitize -j2 --target zentrifa_soak
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  build-sanitize/zentrifa_soak --frames "$frames" --seed "$seed"
