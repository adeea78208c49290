#!/usr/bin/env bash
# The browser build checked in headless Chromium (Debian's, through puppeteer-core from
# tests/web/package-lock.json), against the native build of the same tree:
#
#   scripts/web-tests.sh [NATIVE_BUILD] [WEB_BUILD]     (default: build, build-web)
#
#   - the page's words and the command line it gives the program, and the test server's types and
#     bounds (node's test runner);
#   - the page shows the start picture of the native program, pixel for pixel; clicks at the
#     scaled places of a letterboxed page reach the start menu; saves across reloads, a second tab,
#     export and import, a damaged save, a browser without IndexedDB (tests/web/checks.js);
#   - every golden recording replays in the page to its save and trace
#     (scripts/golden.sh check scripts/web-run.sh NAME), and its last frame is held to the
#     desktop's (tests/web/frames.js: a few edge pixels of the texts may differ by one step);
#   - the download's size, the time to the first frame and the page's memory, as figures.
# Each prints its result and time; the exit code is 1 when any failed.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
native="$(cd "${1:-$here/build}" && pwd)"
web="$(cd "${2:-$here/build-web}" && pwd)"
driver="$here/tests/web"
export ZENTRIFA_WEB_DIR="$web"
[[ -x "$native/zentrifa" ]] || { echo "web-tests: no native game in $native" >&2; exit 1; }
[[ -f "$web/index.html" && -f "$web/zentrifa.js" ]] || { echo "web-tests: no browser build in $web" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# seconds_since NANOSECONDS: the time since then, to a tenth of a second.
seconds_since() { awk -v a="$1" -v b="$(date +%s%N)" 'BEGIN { printf "%.1f", (b - a) / 1e9 }'; }

# timed NAME COMMAND...: runs a check, says how it went and how long it took.
timed() {
  local name="$1" start
  shift
  start="$(date +%s%N)"
  if "$@" >"$work/log" 2>&1; then
    echo "ok: $name ($(seconds_since "$start") s)"
    passed=$((passed + 1))
  else
    echo "FAILED: $name ($(seconds_since "$start") s)"
    sed 's/^/  /' "$work/log" | tail -n 20
    failed=$((failed + 1))
  fi
}

# The driver's packages, from npm's cache when it has them; puppeteer-core never downloads a browser.
timed "npm ci in tests/web" env PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix "$driver" --prefer-offline --no-audit --no-fund
timed "the page's words and command line; the test server" node --test "$driver/page-core.test.js" "$driver/server.test.js"

set +e
node "$driver/checks.js" "$native" "$web" | tee "$work/checks"
set -e
passed=$((passed + $(grep -c '^ok: ' "$work/checks" || true)))
failed=$((failed + $(grep -c '^FAILED: ' "$work/checks" || true)))
grep -q '^ok: figures' "$work/checks" || grep -q '^FAILED: figures' "$work/checks" || {
  echo "FAILED: the browser checks did not all run"
  failed=$((failed + 1))
}

# The program's own exit code comes back through the page: 2 for an option it refuses.
bad_option() {
  local code=0
  "$here/scripts/web-run.sh" --frames not-a-number >"$work/bad.out" 2>"$work/bad.err" || code=$?
  [[ $code -eq 2 && -s "$work/bad.err" ]] || { echo "exit $code: $(cat "$work/bad.err")"; return 1; }
}
timed "an option the program refuses ends the page's run with exit 2" bad_option

# The saves and traces byte for byte; the last frames are left in a folder and held to the
# desktop's after (tests/web/frames.js).
export ZENTRIFA_GOLDEN_FRAMES="$work/frames"
mkdir -p "$ZENTRIFA_GOLDEN_FRAMES"
framed=()
for rec in "$here"/tests/golden/*.rec; do
  name="$(basename "$rec" .rec)"
  timed "golden $name replayed in the page: the same save and trace" \
    "$here/scripts/golden.sh" check "$here/scripts/web-run.sh" "$name"
  [[ -f "$here/tests/golden/$name.png" ]] && framed+=("$name")
done
if [[ ${#framed[@]} -gt 0 ]]; then
  timed "the golden recordings' last frames in the page against the desktop's" \
    node "$driver/frames.js" "$ZENTRIFA_GOLDEN_FRAMES" "$here/tests/golden" "${framed[@]}"
  sed 's/^/  /' "$work/log"
fi
unset ZENTRIFA_GOLDEN_FRAMES

echo "web-tests: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
