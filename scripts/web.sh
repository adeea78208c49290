#!/usr/bin/env bash
# Builds Zentrifa as a browser page on this Linux machine, from the same tree:
#
#   scripts/web.sh [--werror] [HOST_BUILD]
#
#   1. the Debian packages it needs (scripts/deps.sh --web: Emscripten, Chromium for the tests);
#   2. the libraries, built from Debian's sources with Emscripten (scripts/deps-from-source.sh
#      web), or taken from their cache when it has them;
#   3. a native build of the tree in HOST_BUILD (default: build), for the text table's generator
#      and the asset pack: configured and built when it has none;
#   4. build-web/: the page, the folder any static web server serves as it is (see the README,
#      "Play in a browser").
#
# --werror makes warnings errors, as in the team's builds.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
# shellcheck source=scripts/lib/port.sh
source scripts/lib/port.sh
port_prepare web "$@"
out=build-web
compiler_cache_options "$out" "$compiler_id"

cmake -S . -B "$out" --toolchain cmake/toolchains/emscripten.cmake -DCMAKE_BUILD_TYPE=Release \
  -DZENTRIFA_DEPS_PREFIX="$prefix" -DZENTRIFA_HOST_BUILD="$here/$host" -DZENTRIFA_TESTS=OFF -DZENTRIFA_BENCH=OFF \
  -DZENTRIFA_WERROR="$werror" "${compiler_cache[@]}" >/dev/null
cmake --build "$out" -j"$(nproc)" --target web_page
ls -l "$out"/zentrifa.js "$out"/zentrifa.wasm.gz "$out"/zentrifa.data.gz
