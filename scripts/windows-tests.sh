#!/usr/bin/env bash
# The Windows build played under Wine against the Linux build of the same tree, from outside, as a
# player's machine would run it (the cross-built unit tests and the golden recordings run in
# `ctest --test-dir build-windows`):
#
#   scripts/windows-tests.sh [LINUX_BUILD] [WINDOWS_BUILD]     (default: build, build-windows)
#
#   - one game, one behaviour: a seeded bot session of several thousand frames leaves the same
#     save, trace and last frame (byte for byte) on both;
#   - a save folder whose path holds Japanese and spaces; a damaged save kept aside as my.dat.bad;
#     a second copy on the same save folder refused (exit 3); kills in the middle of a bot's
#     session, each leaving a save the game loads;
#   - the real window under Wine on Xvfb: clicks at the scaled places reach the start menu, F12
#     writes a PNG of it, closing the window saves;
#   - the zip unpacks and plays as a portable copy (its save in its own dat\); the installer
#     installs silently, the installed game plays with its save in %APPDATA%\Zentrifa\, and the
#     uninstaller removes the game and leaves the save.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
linux="$(cd "${1:-$here/build}" && pwd)"
windows="$(cd "${2:-$here/build-windows}" && pwd)"
dlls="$(sed -n 's/^ZENTRIFA_DEPS_PREFIX:PATH=//p' "$windows/CMakeCache.txt")/bin"
export ZENTRIFA_WINEPREFIX="${ZENTRIFA_WINEPREFIX:-$HOME/.cache/zentrifa-wine}"
# The program under Wine: run in the background, its pid is the Windows program's own process.
wine_run=("$here/scripts/wine-run.sh" "$dlls")
work="$(mktemp -d)"
cleanup() {
  local code=$? left
  left="$(jobs -p)"
  [[ -z "$left" ]] || kill -KILL $left 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
  exit "$code"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

# --- One game, one behaviour ------------------------------------------------------------------
frames=6000
for side in linux windows; do
  mkdir -p "$work/bot-$side"
  args=(--headless --seed 20261208 --autoplay --frames "$frames" --trace --lang ja
    --save-dir "$work/bot-$side" --screenshot "$work/bot-$side/last.png")
  if [[ $side == linux ]]; then
    XDG_CONFIG_HOME="$work/bot-$side/config" "$linux/zentrifa" "${args[@]}" >"$work/bot-$side/trace" 2>"$work/bot-$side/err"
  else
    "${wine_run[@]}" "$windows/zentrifa.exe" "${args[@]}" >"$work/bot-$side/trace" 2>"$work/bot-$side/err"
  fi
done
same=1
for f in my.dat trace last.png; do
  if ! cmp -s "$work/bot-linux/$f" "$work/bot-windows/$f"; then
    fail "the bot session's $f differs between Linux and Windows ($(cmp "$work/bot-linux/$f" "$work/bot-windows/$f" 2>&1 | head -n1))"
    same=0
  fi
done
[[ $same -eq 1 ]] && pass "a $frames-frame bot session: the same save, trace ($(wc -l <"$work/bot-linux/trace") lines) and last frame"

# --- The save folder ----------------------------------------------------------------------------
dir="$work/山田 の セーブ"
mkdir -p "$dir"
if "${wine_run[@]}" "$windows/zentrifa.exe" --headless --seed 5 --autoplay --frames 600 --save-dir "$dir" >/dev/null 2>"$work/jp.err" &&
  [[ -s "$dir/my.dat" ]] && "${wine_run[@]}" "$windows/zentrifa.exe" --headless --frames 5 --save-dir "$dir" >/dev/null 2>>"$work/jp.err" &&
  [[ ! -e "$dir/my.dat.bad" ]]; then
  pass "a save folder named with Japanese and spaces: saved, and loaded again"
else
  fail "the save folder \"$dir\": $(cat "$work/jp.err")"
fi

mkdir -p "$work/damaged"
head -c 3000 /dev/urandom >"$work/damaged/my.dat"
cp "$work/damaged/my.dat" "$work/damaged.orig"
"${wine_run[@]}" "$windows/zentrifa.exe" --headless --frames 5 --save-dir "$work/damaged" >/dev/null 2>"$work/damaged.err" || true
if cmp -s "$work/damaged/my.dat.bad" "$work/damaged.orig" && grep -q "my.dat.bad" "$work/damaged.err"; then
  pass "a damaged save is kept aside as my.dat.bad, and said so"
else
  fail "a damaged save: $(cat "$work/damaged.err")"
fi

mkdir -p "$work/two"
"${wine_run[@]}" "$windows/zentrifa.exe" --headless --seed 3 --autoplay --frames 100000000 --save-dir "$work/two" \
  >/dev/null 2>&1 &
first=$!
# Each wait in this file ends as soon as what it waits for is there; its bound (about ten times what
# a quiet machine needs) catches a hang, not a busy machine.
for _ in $(seq 1 600); do [[ -e "$work/two/my.dat.lock" ]] && break; sleep 0.1; done
sleep 1
set +e
"${wine_run[@]}" "$windows/zentrifa.exe" --headless --frames 5 --save-dir "$work/two" >/dev/null 2>"$work/two.err"
code=$?
set -e
kill -KILL "$first" 2>/dev/null || true
wait "$first" 2>/dev/null || true
if [[ $code -eq 3 ]] && grep -q "another copy" "$work/two.err"; then
  pass "a second copy on the same save folder is refused (exit 3)"
else
  fail "a second copy: exit $code, $(cat "$work/two.err")"
fi

# Kills at random moments of a bot's session: every save left behind loads whole.
mkdir -p "$work/kills"
killed_ok=0
for trial in 1 2 3 4 5 6; do
  "${wine_run[@]}" "$windows/zentrifa.exe" --headless --seed "$trial" --autoplay --frames 100000000 --save-dir "$work/kills" \
    >/dev/null 2>&1 &
  pid=$!
  sleep "$(awk -v t="$trial" 'BEGIN { srand(t); printf "%.2f", 1.5 + rand() * 2.5 }')"
  # The Windows process itself (Wine runs it as this process), abruptly, as a crash would end it.
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if "${wine_run[@]}" "$windows/zentrifa.exe" --headless --frames 2 --save-dir "$work/kills" >/dev/null 2>"$work/kills.err" &&
    [[ ! -e "$work/kills/my.dat.bad" ]]; then
    killed_ok=$((killed_ok + 1))
  else
    fail "kill $trial: the save left behind does not load: $(cat "$work/kills.err")"
    break
  fi
done
[[ $killed_ok -eq 6 ]] && pass "6 kills in the middle of a session: each save left behind loads"

# --- The real window, under Wine on Xvfb ------------------------------------------------------------
# Clicks at the scaled places take the game from the title to the start menu, F12 writes a PNG of
# it, and closing the window (as a window manager's close button does) saves.
xwin="$linux/tests/zentrifa_xwin"
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && [[ -x "$xwin" ]]; then
  Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 600); do [[ -s "$work/display" ]] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$work/display")"
  mkdir -p "$work/window"
  printf '1 click 10 590\n2 click 10 590\n' >"$work/menu.txt"
  XDG_CONFIG_HOME="$work/window/headless" "$linux/zentrifa" --headless --lang en --save-dir "$work/window/headless" \
    --input "$work/menu.txt" --frames 8 --screenshot "$work/window/menu.png" >/dev/null 2>&1
  SDL_VIDEODRIVER=windows "${wine_run[@]}" "$windows/zentrifa.exe" --lang en --save-dir "$work/window" \
    >/dev/null 2>"$work/window.err" &
  game=$!
  window=""
  for _ in $(seq 1200); do
    window="$(xdotool search --name '^Zentrifa' 2>/dev/null | head -n1 || true)"
    [[ -n "$window" ]] && break
    sleep 0.1
  done
  if [[ -z "$window" ]]; then
    fail "the real window under Wine: no window ($(cat "$work/window.err"))"
  else
    sleep 2 # the first frames
    read -r w h <<<"$(xwininfo -id "$window" | awk '/Width:/ { w = $NF } /Height:/ { h = $NF } END { print w, h }')"
    read -r x y <<<"$(awk -v w="$w" -v h="$h" 'BEGIN { s = w / 800 < h / 600 ? w / 800 : h / 600
      printf "%d %d", (w - 800 * s) / 2 + 10.5 * s, (h - 600 * s) / 2 + 590.5 * s }')"
    for _ in 1 2; do
      xdotool mousemove --window "$window" "$x" "$y" click 1
      sleep 1
    done
    xdotool key --window "$window" F12
    shot=""
    for _ in $(seq 300); do
      shot="$(find "$work/window/screenshots" -name '*.png' 2>/dev/null | head -n1 || true)"
      [[ -n "$shot" ]] && break
      sleep 0.1
    done
    if [[ -n "$shot" ]] && "$xwin" alike "$work/window/menu.png" "$shot" 5; then
      pass "the real window under Wine: clicks reach the start menu, F12 writes it as a PNG"
    else
      fail "the real window under Wine: F12 wrote ${shot:-no PNG}, not the start menu"
    fi
    "$xwin" close "$window" || true
    for _ in $(seq 600); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$game" 2>/dev/null; then
      fail "the real window under Wine: the game did not close with its window"
      kill -KILL "$game" 2>/dev/null || true
    elif wait "$game" && [[ -s "$work/window/my.dat" ]]; then
      pass "the real window under Wine: closing it saves"
    else
      fail "the real window under Wine: no save after closing ($(cat "$work/window.err"))"
    fi
  fi
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  unset DISPLAY
else
  echo "the real window under Wine: Xvfb, xdotool or $xwin is missing; skipped"
fi

# --- The zip and the installer --------------------------------------------------------------------
zip="$(ls "$windows"/zentrifa-*-windows-x64.zip | head -n1)"
mkdir -p "$work/unzipped"
(cd "$work/unzipped" && cmake -E tar xf "$zip")
portable="$(ls -d "$work/unzipped"/zentrifa-*)"
if "${wine_run[@]}" "$portable/zentrifa.exe" --headless --seed 9 --autoplay --frames 300 >/dev/null 2>"$work/zip.err" &&
  [[ -s "$portable/dat/my.dat" ]]; then
  pass "the zip unpacks and plays; its save is in its own dat\\"
else
  fail "the zip: $(cat "$work/zip.err")"
fi

setup="$(ls "$windows"/zentrifa-*-setup.exe | head -n1)"
# Wine names the Windows user after the Unix one.
appdata="$ZENTRIFA_WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Zentrifa"
rm -rf "$appdata"
target='C:\zentrifa-test-install'
installed="$ZENTRIFA_WINEPREFIX/drive_c/zentrifa-test-install"
rm -rf "$installed"
if "${wine_run[@]}" "$setup" /S "/D=$target" && [[ -f "$installed/bin/zentrifa.exe" && -f "$installed/uninstall.exe" ]]; then
  if "${wine_run[@]}" "$installed/bin/zentrifa.exe" --headless --seed 9 --autoplay --frames 300 >/dev/null 2>"$work/inst.err" &&
    [[ -s "$appdata/my.dat" && ! -e "$installed/share/zentrifa/dat/my.dat" ]]; then
    pass "the installer installs silently; the installed game keeps its save in %APPDATA%\\Zentrifa"
  else
    fail "the installed game: $(cat "$work/inst.err")"
  fi
  # The uninstaller runs from a copy of itself in the temporary folder, so that it can remove
  # itself too: it ends before its work does.
  "${wine_run[@]}" "$installed/uninstall.exe" /S || true
  for _ in $(seq 600); do [[ -e "$installed" ]] || break; sleep 0.1; done
  if [[ ! -e "$installed" && -s "$appdata/my.dat" ]]; then
    pass "the uninstaller removes the game and leaves the save"
  else
    fail "the uninstaller left $(find "$installed" 2>/dev/null | head -n5 | tr '\n' ' ') or took the save"
  fi
else
  fail "the installer did not install into $target"
fi

if [[ $failures -ne 0 ]]; then
  echo "windows-tests: $failures failed" >&2
  exit 1
fi
echo "windows-tests: all passed"
