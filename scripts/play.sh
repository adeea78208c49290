#!/usr/bin/env bash
# Builds the game (with its generated pictures, sounds and music) and starts it.
# Options are passed to the game, e.g. ./scripts/play.sh --headless --frames 30 --screenshot s.png
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zentrifa
exec ./build/zentrifa "$@"
