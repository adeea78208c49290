#!/usr/bin/env bash
# The test command: builds the game six ways and runs in each what only it can prove. Warnings are
# errors in every build.
#
#   build/           gcc, RelWithDebInfo: everything built, every test run, the asset pack generated
#                    (the other builds copy it); then the style check: clang-format, and clang-tidy
#                    over every file of this build, which also holds them to clang's warnings
#   build-fuzz/      clang with libFuzzer, ASan and UBSan: each loader fuzzed briefly (scripts/fuzz.sh)
#   build-sanitize/  gcc with AddressSanitizer and UndefinedBehaviorSanitizer: every test of the game
#                    again (the generator's own tests ran in build/) and the monkey soak
#   build-clang/     clang, Release, as a packager builds it (no tests): the Debian package made from
#                    it, installed and run (scripts/check-package.sh), the listing's screenshots, and
#                    the golden recordings replayed by its program
#   build-windows/   MinGW-w64, Release, for Windows (scripts/windows.sh): the zip and the installer;
#                    the unit tests and golden recordings under Wine, and the Windows build played
#                    against build/ (scripts/windows-tests.sh)
#   build-web/       Emscripten, Release, the browser page (scripts/web.sh): in headless Chromium, its
#                    first frame, clicks, the golden recordings, and the saves kept in the browser
#                    (scripts/web-tests.sh)
#
#   scripts/test.sh              everything, as CI runs it
#   scripts/test.sh PHASE...     only these, with what they need (the packages and build/ for
#                                all, the Windows or the browser libraries for their port):
#     build      build/'s tests          clang     build-clang/ and its checks
#     style      clang-format, clang-tidy   windows   build-windows/ and its tests under Wine
#     fuzz       build-fuzz/                web       build-web/ and its tests in Chromium
#     sanitize   build-sanitize/ and its tests
#
# Every build compiles through ccache, its cache outside the tree (scripts/lib/ccache.sh), and
# clang-tidy's clean results are kept likewise (scripts/style.sh): a run after another, even from a
# fresh clone, compiles and analyses only what changed. No phase has a bound on its time: a busy
# machine makes a run slower, not red. What hangs is caught by bounds on one test or one file
# (CTest's per test, clang-tidy's per file, the page's per run, libFuzzer's per input).
#
# Prints the time each phase took, wall clock and CPU (user + system of everything it ran), and
# how many compiles the cache answered.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

all_phases=(build style fuzz sanitize clang windows web)
usage() {
  echo "usage: $0 [PHASE...]" >&2
  echo "  PHASE: ${all_phases[*]} (none: all of them)" >&2
  exit 2
}
declare -A wanted=()
if [[ $# -eq 0 ]]; then
  for p in "${all_phases[@]}"; do wanted[$p]=1; done
fi
for p in "$@"; do
  [[ " ${all_phases[*]} " == *" $p "* ]] || { echo "test.sh: no phase named $p" >&2; usage; }
  wanted[$p]=1
done
wants() { [[ -n "${wanted[$1]:-}" ]]; }

# shellcheck source=scripts/lib/ccache.sh
source scripts/lib/ccache.sh
tick="$(getconf CLK_TCK)"

# The CPU time, in ticks, of every finished child of this shell (and of theirs).
cpu_ticks() {
  local stat
  stat="$(</proc/$$/stat)"
  read -r -a fields <<<"${stat##*) }"
  echo $((fields[13] + fields[14]))
}
phase_name=""
phase_start() {
  phase_name="$1"
  phase_wall="$EPOCHREALTIME"
  phase_cpu="$(cpu_ticks)"
  read -r phase_hits phase_misses <<<"$(compiler_cache_counts)"
  echo "== $phase_name"
}
seconds_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%d", b - a + 0.5 }'; }
# The compiles of a phase, and how many of them the cache answered.
compiles_since() {
  local hits misses
  read -r hits misses <<<"$(compiler_cache_counts)"
  hits=$((hits - $1)) misses=$((misses - $2))
  [[ $((hits + misses)) -eq 0 ]] || echo "$((hits + misses)) compiles, $hits from the cache"
}
phase_end() {
  local wall cpu compiles
  wall="$(seconds_since "$phase_wall")"
  cpu=$((($(cpu_ticks) - phase_cpu) / tick))
  compiles="$(compiles_since "$phase_hits" "$phase_misses")"
  echo "== phase $phase_name: $wall s (cpu $cpu s)${compiles:+; $compiles}"
  summary+=("$(printf '%-22s %5d s  (cpu %5d s)%s' "$phase_name" "$wall" "$cpu" "${compiles:+  $compiles}")")
  phase_name=""
}
summary=()
run_wall="$EPOCHREALTIME"
read -r run_hits run_misses <<<"$(compiler_cache_counts)"
# On a failure, the phase it ended in and the times of those before.
on_exit() {
  local code=$?
  if [[ -n "$libraries_job" ]]; then kill -- "-$libraries_job" 2>/dev/null || true; fi
  [[ $code -eq 0 || -z "$phase_name" ]] && return
  echo "== phase $phase_name: FAILED after $(seconds_since "$phase_wall") s (exit $code)"
  printf '%s\n' "${summary[@]}"
}
trap on_exit EXIT
libraries_job=""

configure() {
  local dir="$1"; shift
  compiler_cache_options "$dir"
  cmake -S . -B "$dir" -DZENTRIFA_WERROR=ON "${compiler_cache[@]}" "$@" >/dev/null
}

# The ports' libraries the phases asked for need.
ports=()
wants windows && ports+=(windows)
wants web && ports+=(web)

phase_start deps
./scripts/deps.sh --test "${ports[@]/#/--}"
phase_end

# The Windows and the browser libraries, built from Debian's sources when their cache lacks them
# (minutes, much of it one configure script at a time), go on beside the builds below and are
# waited for where they are needed; from the cache they take a second. They run at the lowest
# priority, for the processor and the disk, so that the phases in front keep their pace.
if [[ ${#ports[@]} -gt 0 ]]; then
  libraries_log="$(mktemp)"
  idle=()
  command -v ionice >/dev/null && idle=(ionice -c 3)
  # In a process group of its own, so that a run ending early takes the whole build down with it.
  setsid nice -n 19 "${idle[@]}" bash -c 'for t in "$@"; do ./scripts/deps-from-source.sh "$t" || exit; done' \
    libraries "${ports[@]}" >"$libraries_log" 2>&1 &
  libraries_job=$!
fi
# wait_for_libraries: the background build's end; its output, and a failure, shown here.
wait_for_libraries() {
  [[ -z "$libraries_job" ]] && return 0
  local status=0
  wait "$libraries_job" || status=$?
  libraries_job=""
  grep -E '^(Libraries for|Building the libraries|total|ZENTRIFA_DEPS_PREFIX)' "$libraries_log" || true
  if [[ $status -ne 0 ]]; then
    tail -n 40 "$libraries_log"
    echo "the libraries' build failed (exit $status)"
  fi
  rm -f "$libraries_log"
  return "$status"
}

phase_start "build: build"
configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
cmake --build build -j"$jobs"
phase_end

if wants build; then
  phase_start "build: tests"
  ctest --test-dir build -j"$jobs" --output-on-failure
  phase_end
fi

if wants style; then
  phase_start style
  ./scripts/style.sh build
  phase_end
fi

if wants fuzz; then
  phase_start fuzz
  ./scripts/fuzz.sh
  phase_end
fi

if wants sanitize; then
  phase_start "build-sanitize: build"
  configure build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTRIFA_SANITIZE=ON -DZENTRIFA_BENCH=OFF \
    -DZENTRIFA_PACK_DIR="$PWD/build"
  cmake --build build-sanitize -j"$jobs"
  phase_end

  phase_start "build-sanitize: tests"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize -j"$jobs" --output-on-failure
  phase_end
fi

if wants clang; then
  phase_start "build-clang: build"
  CC=clang CXX=clang++ configure build-clang -DCMAKE_BUILD_TYPE=Release -DZENTRIFA_TESTS=OFF -DZENTRIFA_BENCH=OFF \
    -DZENTRIFA_PACK_DIR="$PWD/build"
  cmake --build build-clang -j"$jobs"
  phase_end

  phase_start "build-clang: checks"
  rm -f build-clang/zentrifa_*.deb
  (cd build-clang && cpack -G DEB >/dev/null)
  ./scripts/check-package.sh build-clang/zentrifa_*.deb
  cmake --build build-clang --target screenshots >/dev/null
  # Another compiler's optimized program plays the recorded sessions to the same saves and traces.
  replayed=0
  for recording in tests/golden/*.rec; do
    [[ -e "$recording" ]] || continue
    ./scripts/golden.sh check build-clang/zentrifa "$(basename "$recording" .rec)"
    replayed=$((replayed + 1))
  done
  echo "golden: $replayed recordings replay the same with build-clang/zentrifa"
  phase_end
fi

if [[ ${#ports[@]} -gt 0 ]]; then
  phase_start "ports: libraries"
  wait_for_libraries
  phase_end
fi

# Windows: the libraries from Debian's sources (cached outside the tree after the first run), the
# cross-built game, its zip and installer; then under Wine its unit tests and the golden
# recordings (ctest), and the Windows build played against this one (scripts/windows-tests.sh).
if wants windows; then
  phase_start "windows: build"
  ./scripts/windows.sh --werror build
  phase_end

  phase_start "windows: tests"
  # A test whose Wine program dies before it prints a line (seen once on a loaded machine: no
  # output, 0.01 s, and it passed when run again) gets a second try; a real failure fails twice.
  ctest --test-dir build-windows -j"$jobs" --output-on-failure --repeat until-pass:2
  ./scripts/windows-tests.sh build build-windows
  phase_end
fi

# The browser: the libraries from Debian's sources for WebAssembly (cached like Windows'), the page
# (scripts/web.sh), then the page in headless Chromium: its first frame against this build's, the
# golden recordings, the saves in the browser's storage (scripts/web-tests.sh).
if wants web; then
  phase_start "web: build"
  ./scripts/web.sh --werror build
  phase_end

  phase_start "web: tests"
  ./scripts/web-tests.sh build build-web
  phase_end
fi

echo "== time per phase"
printf '%s\n' "${summary[@]}"
echo "== all phases: $(seconds_since "$run_wall") s (cpu $(($(cpu_ticks) / tick)) s)"
compiles="$(compiles_since "$run_hits" "$run_misses")"
echo "== ccache: ${compiles:-no compiles}"
