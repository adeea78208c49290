#!/usr/bin/env bash
# Kill-during-save trials: SIGKILLs the real program TRIALS times (default 1000) at random moments
# around its saves; my.dat must always be the whole old save or the whole new one, and the next
# start must leave nothing else beside it.
#
#   scripts/kill_trials.sh [TRIALS] [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
trials="${1:-1000}"
seed="${2:-1}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target zentrifa_kill_trials
build/zentrifa_kill_trials --trials "$trials" --seed "$seed"
