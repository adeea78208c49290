#!/usr/bin/env bash
# Runs a Windows program of the cross-build under Wine, headless, as the Windows tests do:
#
#   scripts/wine-run.sh DLL_FOLDER PROGRAM.exe [ARGUMENTS...]
#
# DLL_FOLDER holds the libraries the program links (the bin/ of scripts/deps-from-source.sh
# windows). The Wine prefix is ${ZENTRIFA_WINEPREFIX:-~/.cache/zentrifa-wine}, made on first use
# (once, even when several runs start together); Wine's own messages are off, and the .NET and HTML
# installers that a new prefix would offer are never asked for. SDL's dummy drivers are used
# unless the caller names others (a real window under Xvfb names x11... through SDL_VIDEODRIVER).
# The exit code is the program's.
set -euo pipefail
[[ $# -ge 2 ]] || { sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
dlls="$1" program="$2"
shift 2
wine=/usr/lib/wine/wine64
[[ -x "$wine" ]] || wine="$(command -v wine64 || command -v wine || true)"
[[ -n "$wine" ]] || { echo "wine-run.sh: Wine is not installed (apt-get install wine64)" >&2; exit 127; }
export WINEPREFIX="${ZENTRIFA_WINEPREFIX:-$HOME/.cache/zentrifa-wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
# Windows looks for a program's DLLs beside it and on its PATH.
export WINEPATH="Z:${dlls//\//\\}"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
      DISPLAY= "$wine" wineboot --init >/dev/null 2>&1 || true
      server="$(dirname "$wine")/wineserver"
      [[ -x "$server" ]] || server=wineserver
      "$server" -w 2>/dev/null || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# One Wine server for a run of tests, kept for 30 s after its last program: a server that ends
# just as the next program starts would cut that program off ("Connection reset by peer").
server="$(dirname "$wine")/wineserver"
[[ -x "$server" ]] || server=wineserver
"$server" -p30 2>/dev/null || true
exec "$wine" "$program" "$@"
