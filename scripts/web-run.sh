#!/usr/bin/env bash
# Plays the browser build (build-web/, or $ZENTRIFA_WEB_DIR) in headless Chromium with the desktop
# program's options, so that it stands wherever the desktop program does in a test (golden.sh):
#
#   scripts/web-run.sh [--headless] [--seed N] [--frames N] [--input FILE] [--lang L] [--trace]
#                      [--autoplay] [--screenshot FILE] [--save-dir DIR]
#
# The trace goes to standard output and the program's messages to standard error; the files the
# game left in its save folder are written into DIR (a my.dat already there is the save it starts
# from), the last frame into FILE; the exit code is the program's (2: bad options, 1: the page did
# not run or did not end within $ZENTRIFA_WEB_TIMEOUT seconds, 300 by default).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export ZENTRIFA_WEB_DIR="${ZENTRIFA_WEB_DIR:-$here/build-web}"
driver="$here/tests/web"
if [[ ! -d "$driver/node_modules/puppeteer-core" ]]; then
  # The driver's one package, from npm's cache when it has it; never a browser download.
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix "$driver" --prefer-offline --no-audit --no-fund >&2
fi
exec node "$driver/run.js" "$@"
