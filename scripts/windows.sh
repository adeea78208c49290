#!/usr/bin/env bash
# Builds Zentrifa for 64-bit Windows on this Linux machine, from the same tree, and packs it:
#
#   scripts/windows.sh [--werror] [HOST_BUILD]
#
#   1. the Debian packages it needs (scripts/deps.sh --windows);
#   2. the libraries, built from Debian's sources (scripts/deps-from-source.sh windows), or taken
#      from their cache when it has them;
#   3. a native build of the tree in HOST_BUILD (default: build), for the text table's generator
#      and the asset pack: configured and built when it has none;
#   4. build-windows/: zentrifa.exe with its DLLs, pack and font beside it, and the tests (they run
#      under Wine: ctest --test-dir build-windows; scripts/windows-tests.sh);
#   5. build-windows/zentrifa-VERSION-windows-x64.zip, the portable copy, and
#      build-windows/zentrifa-VERSION-setup.exe, the installer.
#
# --werror makes warnings errors, as in the team's builds.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
# shellcheck source=scripts/lib/port.sh
source scripts/lib/port.sh
port_prepare windows "$@"
out=build-windows
compiler_cache_options "$out" "$compiler_id"

cmake -S . -B "$out" --toolchain cmake/toolchains/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DZENTRIFA_DEPS_PREFIX="$prefix" -DZENTRIFA_HOST_BUILD="$here/$host" -DZENTRIFA_BENCH=OFF \
  -DZENTRIFA_WERROR="$werror" "${compiler_cache[@]}" >/dev/null
cmake --build "$out" -j"$(nproc)"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")"
name="zentrifa-$version-windows-x64"
stage="$out/package/$name"
rm -rf "$out/package"
cmake --install "$out" --prefix "$stage" --strip >/dev/null
# The libraries come with their symbols for debugging; the player gets them without.
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.dll
(cd "$out/package" && rm -f "../$name.zip" && cmake -E tar cf "../$name.zip" --format=zip "$name")
makensis -V2 -DSTAGE="$here/$stage" -DICON="$here/$out/icons/zentrifa.ico" -DOUT="$here/$out/zentrifa-$version-setup.exe" \
  "$out/zentrifa.nsi"
ls -l "$out/$name.zip" "$out/zentrifa-$version-setup.exe"
