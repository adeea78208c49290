#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) in build-fuzz/ and runs them: the save reader,
# the picture loader on BMPs and on JPEGs, the WAV check and the input-script parser, as many at
# once as there are cores (each fuzzer uses one). Seeds come from the generated pack of build/ and
# from saves the game writes; what the fuzzers find to grow the corpus stays in build-fuzz/corpus/,
# and an input that breaks a target is written to build-fuzz/findings/ and fails the run.
#
#   scripts/fuzz.sh              the short run of the test command: each target for as long as it
#                                keeps finding new code from the seeds (save 30 s, bmp, jpeg and
#                                input 15 s, wav 5 s; a longer run rarely reaches more)
#   scripts/fuzz.sh SECONDS      each target for SECONDS (a long run: 600, 3600...)
#   FUZZ_RUNS=1000000 scripts/fuzz.sh    a number of executions per target instead of a time
#   FUZZ_TARGETS="save jpeg"             only these (save bmp jpeg wav input)
#   FUZZ_JOBS=1                          one fuzzer at a time (default: one per core)
#   FUZZ_SKIP_BUILD=1                    run what is built (e.g. a long run outside the build lock)
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiled through ccache where it is installed (scripts/lib/ccache.sh).
# shellcheck source=scripts/lib/ccache.sh
source scripts/lib/ccache.sh
seconds="${1:-}"
# The longest first, so that the cores finish together.
targets="${FUZZ_TARGETS:-save bmp jpeg input wav}"
jobs="${FUZZ_JOBS:-$(nproc)}"
out=build-fuzz

if [[ -z "${FUZZ_SKIP_BUILD:-}" ]]; then
  # The seeds are made from the pack of the plain build.
  if [[ ! -f build/pack.stamp ]]; then
    compiler_cache_options build
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${compiler_cache[@]}" >/dev/null
    cmake --build build -j2 --target asset_pack
  fi
  echo "== $out: configure and build the fuzz targets"
  compiler_cache_options "$out"
  cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZENTRIFA_FUZZ=ON -DZENTRIFA_TESTS=OFF -DZENTRIFA_BENCH=OFF -DZENTRIFA_WERROR=ON "${compiler_cache[@]}" >/dev/null
  cmake --build "$out" -j2 --target fuzz_save fuzz_picture fuzz_wav fuzz_input_script fuzz_seeds
  rm -rf "$out/seeds"
  ASAN_OPTIONS=detect_leaks=0 "$out/fuzz/fuzz_seeds" "$out/seeds" build
fi

binary_of() {
  case "$1" in
    save) echo fuzz_save ;;
    bmp | jpeg) echo fuzz_picture ;;
    wav) echo fuzz_wav ;;
    input) echo fuzz_input_script ;;
    *) echo "unknown fuzz target $1" >&2; exit 2 ;;
  esac
}

# The short run's time for each target: how long it went on finding new code from the seeds.
short_time() {
  case "$1" in
    save) echo 30 ;;
    wav) echo 5 ;;
    *) echo 15 ;;
  esac
}

# Runs one target into its log; the summary is printed when it ends.
run_target() {
  local t="$1" bin="$out/fuzz/$(binary_of "$1")" bound
  if [[ -n "${FUZZ_RUNS:-}" ]]; then bound=-runs="$FUZZ_RUNS"; else bound=-max_total_time="${seconds:-$(short_time "$t")}"; fi
  mkdir -p "$out/corpus/$t"
  # New inputs go to corpus/<target>; the seeds are read only. One input may take 10 s and 2 GB.
  "$bin" "$bound" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/findings/$t-" "$out/corpus/$t" "$out/seeds/$t" >"$out/fuzz-$t.log" 2>&1
}

report() {
  local t="$1" code="$2" log="$out/fuzz-$1.log"
  if [[ "$code" -ne 0 ]]; then
    tail -n 60 "$log"
    echo "fuzz $t: FAILED (the input is in $out/findings/)" >&2
    return 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  secs=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 || true)
  echo "fuzz $t: $runs runs, $secs runs/s, $cov, no finding"
}

mkdir -p "$out/findings"
for t in $targets; do binary_of "$t" >/dev/null; done
if [[ -n "${FUZZ_RUNS:-}" ]]; then how="$FUZZ_RUNS runs"; elif [[ -n "$seconds" ]]; then how="$seconds s"; else how="the short run"; fi
echo "== fuzz ${targets// /, }: $how each, $jobs at a time"
declare -A running=()
passed=0
failed=0
finish_one() {
  local pid code=0
  wait -n -p pid "${!running[@]}" || code=$?
  if report "${running[$pid]}" "$code"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  unset "running[$pid]"
}
for t in $targets; do
  while [[ ${#running[@]} -ge $jobs ]]; do finish_one; done
  run_target "$t" &
  running[$!]="$t"
done
while [[ ${#running[@]} -gt 0 ]]; do finish_one; done
echo "fuzz: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
