#!/usr/bin/env bash
# The bot plays a fresh game headless (in a save folder of its own) until all twelve stages are
# cleared or FRAMES frames have run, then prints its table, one line per stage, and the time the
# run took. RECORD=FILE keeps the bot's session as an input script, to replay with --input.
#
#   scripts/autoplay.sh [FRAMES] [SEED]
set -euo pipefail
cd "$(dirname "$0")/.."
frames="${1:-300000}"
seed="${2:-1}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target zentrifa asset_pack >/dev/null

save="$(mktemp -d)"
trap 'rm -rf "$save"' EXIT
record=()
if [[ -n "${RECORD:-}" ]]; then record=(--record "$RECORD"); fi

start=$(date +%s%N)
code=0
"$build/zentrifa" --headless --autoplay --seed "$seed" --frames "$frames" --save-dir "$save" "${record[@]}" \
  2>"$save/stderr" >/dev/null || code=$?
end=$(date +%s%N)

echo "seed $seed, at most $frames frames"
grep '^autoplay:' "$save/stderr" | sed 's/^autoplay: //' || echo "(no stage was finished)"
grep -v '^autoplay:' "$save/stderr" || true
cleared=$(grep -c ' cleared ' "$save/stderr" || true)
lost=$(grep -c ' game over ' "$save/stderr" || true)
printf '%d stages cleared, %d lost, in %d.%02d s (exit code %d)\n' "$cleared" "$lost" \
  $(( (end - start) / 1000000000 )) $(( (end - start) / 10000000 % 100 )) "$code"
[[ "$code" -eq 0 ]]
