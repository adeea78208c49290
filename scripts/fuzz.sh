#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) in build-fuzz/ and runs each for SECONDS
# (default 30): the save reader, the picture loader on BMPs and on JPEGs, the WAV check and the
# input-script parser. Seeds come from the generated pack of build/ and from saves the game
# writes; what the fuzzers find to grow the corpus stays in build-fuzz/corpus/, and an input that
# breaks a target is written to build-fuzz/findings/ and fails the run.
#
#   scripts/fuzz.sh [SECONDS]
#   FUZZ_RUNS=1000000 scripts/fuzz.sh    a number of executions per target instead of a time
#   FUZZ_TARGETS="save jpeg"             only these (save bmp jpeg wav input)
#   FUZZ_SKIP_BUILD=1                    run what is built (e.g. a long run outside the build lock)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
targets="${FUZZ_TARGETS:-save bmp jpeg wav input}"
out=build-fuzz

if [[ -z "${FUZZ_SKIP_BUILD:-}" ]]; then
  # The seeds are made from the pack of the plain build.
  if [[ ! -f build/pack.stamp ]]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j2 --target asset_pack
  fi
  echo "== $out: configure and build the fuzz targets"
  cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZENTRIFA_FUZZ=ON -DZENTRIFA_TESTS=OFF -DZENTRIFA_BENCH=OFF >/dev/null
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

mkdir -p "$out/findings"
passed=0
bound=(-max_total_time="$seconds")
[[ -n "${FUZZ_RUNS:-}" ]] && bound=(-runs="$FUZZ_RUNS")
for t in $targets; do
  bin="$out/fuzz/$(binary_of "$t")"
  mkdir -p "$out/corpus/$t"
  echo "== fuzz $t (${FUZZ_RUNS:+$FUZZ_RUNS runs}${FUZZ_RUNS:-$seconds s})"
  log="$out/fuzz-$t.log"
  # New inputs go to corpus/<target>; the seeds are read only. One input may take 10 s and 2 GB.
  if ! "$bin" "${bound[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$out/findings/$t-" "$out/corpus/$t" "$out/seeds/$t" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz $t: FAILED (the input is in $out/findings/)" >&2
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  secs=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 || true)
  echo "fuzz $t: $runs runs, $secs runs/s, $cov, no finding"
  passed=$((passed + 1))
done
echo "fuzz: $passed passed, 0 failed"
