#!/usr/bin/env bash
# The game in a real window on a real X server (Xvfb), played with xdotool's mouse and keys as a
# player would, at an odd window size, fullscreen, without a window manager and with one:
#
#   - a 1000 x 500 window: the picture is letterboxed, clicks at the scaled places take the game
#     from the title to the start menu, F12 writes a screenshot of the start menu, the Escape
#     question shows in the window and is answered there (a click on No, then Enter and Escape),
#     and closing the window saves: the session's recording replays headless to the same save;
#   - fullscreen from the settings: the picture fills the display's height, clicks at its scale
#     reach the menu, F11 gives back a window and takes it fullscreen again; the settings keep it;
#   - the same with a window manager: F11 covers the display and gives the window back.
#
#   tests/window/real_window.sh GAME XWIN    (XWIN: the zentrifa_xwin tool built beside the tests)
#
# Exits 77 (skipped) when Xvfb or xdotool is missing; the test command installs them.
set -euo pipefail
game="$1"
xwin="$2"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "real window: $tool is not installed; skipped"; exit 77; }
done

work="$(mktemp -d)"
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "real window: $*" >&2
  if [[ -f "$work/err" ]]; then
    echo "--- the game's standard error:" >&2
    cat "$work/err" >&2
  fi
  exit 1
}

# The display: 1280 x 720, a number of the server's own choosing.
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
# Each wait below ends as soon as what it waits for is there; its bound (about ten times what a
# quiet machine needs) catches a hang, not a busy machine.
for _ in $(seq 600); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"
# The program's own drivers, whatever the machine's environment says (SDL_VIDEODRIVER=dummy is a
# common setting on test machines): the window on this X server, the sound nowhere.
export SDL_VIDEODRIVER=x11
export SDL_AUDIODRIVER=dummy
unset WAYLAND_DISPLAY

game_pid=""
window=""
# start NAME [OPTIONS...]: the game with a fresh save folder and the settings in $work/config, its
# window's id in $window.
start() {
  local name="$1"
  shift
  rm -rf "$work/save"
  mkdir -p "$work/save"
  XDG_CONFIG_HOME="$work/config" "$game" --lang en --save-dir "$work/save" --record "$work/$name.rec" "$@" \
    >"$work/out" 2>"$work/err" &
  game_pid=$!
  pids+=("$game_pid")
  window=""
  for _ in $(seq 600); do
    window="$(xdotool search --name '^Zentrifa' 2>/dev/null | head -1 || true)"
    [[ -n "$window" ]] && break
    sleep 0.1
  done
  [[ -n "$window" ]] || fail "$name: no window"
  sleep 0.5 # the first frames
}

# The window's size and place on the display, as the X server has them.
geometry() {
  xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}
expect_geometry() {
  local want="$1" got=""
  for _ in $(seq 150); do
    got="$(geometry)"
    [[ "$got" == "$want" ]] && return 0
    sleep 0.1
  done
  fail "the window is at $got (x y width height), not $want"
}

# at X Y: where the play area's pixel (X, Y) lies in the window, scaled to fit and letterboxed.
at() {
  local w h
  read -r _ _ w h <<<"$(geometry)"
  awk -v x="$1" -v y="$2" -v w="$w" -v h="$h" 'BEGIN {
    s = w / 800 < h / 600 ? w / 800 : h / 600
    printf "%d %d", (w - 800 * s) / 2 + (x + 0.5) * s, (h - 600 * s) / 2 + (y + 0.5) * s }'
}
click() {
  local x y
  read -r x y <<<"$(at "$1" "$2")"
  xdotool mousemove --window "$window" "$x" "$y" click 1
  sleep 0.4
}
key() {
  xdotool key --window "$window" "$1"
  sleep 0.4
}
pixel() { "$xwin" pixel "$window" "$1" "$2"; }
play_pixel() {
  local x y
  read -r x y <<<"$(at "$1" "$2")"
  pixel "$x" "$y"
}
not_black() { [[ "$(pixel "$1" "$2")" != "0 0 0" ]] || fail "$3: black at $1,$2"; }
# eventually COMMAND...: true once the command is, within thirty seconds (a slow build's frames on a
# busy machine).
eventually() {
  local i
  for i in $(seq 300); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
# The question's box is dark blue-black where the play area's (160, 300) lies.
question_shown() { [[ "$(play_pixel 160 300)" == "16 16 24" ]]; }
question_gone() { ! question_shown; }

# close NAME: closes the window as a window manager's close button does; the game must end well
# and have saved what the session's recording replays to.
close() {
  local name="$1"
  "$xwin" close "$window"
  for _ in $(seq 600); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "$name: the game did not close with its window"
  wait "$game_pid" || fail "$name: the game ended with exit $?"
  [[ -f "$work/save/my.dat" ]] || fail "$name: no save after closing"
  rm -rf "$work/replay"
  mkdir -p "$work/replay"
  XDG_CONFIG_HOME="$work/replay" "$game" --headless --lang en --input "$work/$name.rec" \
    --save-dir "$work/replay" >/dev/null 2>"$work/replay.err" || fail "$name: the recording does not replay"
  cmp -s "$work/save/my.dat" "$work/replay/my.dat" || fail "$name: the replayed save differs from the window's"
}

# stopped NAME PID SIGNAL CODE: the signal ends the program within a second, with exit code CODE.
stopped() {
  local name="$1" pid="$2" sig="$3" want="$4" start end code=0
  start=$(date +%s%N)
  kill -s "$sig" "$pid"
  while kill -0 "$pid" 2>/dev/null; do
    (((($(date +%s%N) - start) / 1000000) < 5000)) || fail "$name: $sig did not end the game"
    sleep 0.01
  done
  end=$(date +%s%N)
  wait "$pid" || code=$?
  ((code == want)) || fail "$name: exit $code after $sig, not $want"
  (((end - start) / 1000000 < 1000)) || fail "$name: $sig took $(((end - start) / 1000000)) ms to end the game"
}
# stop_saves NAME SIGNAL: the signal ends the game within a second, and it saves as it ends.
stop_saves() {
  rm -f "$work/save/my.dat"
  stopped "$1" "$game_pid" "$2" 0
  [[ -f "$work/save/my.dat" ]] || fail "$1: no save after $2"
}

# The start menu as the game draws it headless; the window's screenshot must show the same screen
# (its figures move on, so a few per cent of the pixels may differ; the title differs everywhere).
printf '1 click 10 590\n2 click 10 590\n' >"$work/menu.txt"
XDG_CONFIG_HOME="$work/headless" "$game" --headless --lang en --save-dir "$work/headless" --input "$work/menu.txt" \
  --frames 8 --screenshot "$work/menu.png" >/dev/null 2>&1 || fail "the headless start menu failed"

for manager in none openbox; do
  if [[ "$manager" == openbox ]]; then
    if ! command -v openbox >/dev/null; then
      echo "real window: openbox is not installed; the window manager's rounds skipped"
      break
    fi
    openbox --sm-disable >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
  fi

  # An odd size: 1000 x 500 shows the 800 x 600 picture at 666 x 500, with bars at the sides.
  mkdir -p "$work/config/zentrifa"
  printf 'window_size = 1000x500\n' >"$work/config/zentrifa/zentrifa.ini"
  start "$manager-window"
  if [[ "$manager" == none ]]; then
    expect_geometry "140 110 1000 500"
    [[ "$(pixel 60 250)" == "0 0 0" ]] || fail "no letterbox bar at the left"
    [[ "$(pixel 940 250)" == "0 0 0" ]] || fail "no letterbox bar at the right"
    not_black 500 250 "the picture"

    # The reset's questions, in the window, answered there.
    key Escape
    eventually question_shown || fail "no question box in the window: $(play_pixel 160 300)"
    click 476 331 # No
    eventually question_gone || fail "the question stayed after No"
    key Escape
    eventually question_shown || fail "no question after the second Escape"
    key Return
    eventually question_shown || fail "no second question"
    key Escape
    eventually question_gone || fail "the question stayed after Escape"
    # No by the mouse; then yes by Enter (the second question follows) and no by Escape.
    answers="$(grep -o 'answer [a-z]*' "$work/$manager-window.rec" | tr '\n' ' ')"
    [[ "$answers" == "answer no answer yes answer no " ]] || fail "the recording holds the answers: $answers"
  fi

  click 10 590
  click 10 590
  key F12
  eventually grep -q '^zentrifa: screenshot ' "$work/err" || fail "F12 wrote no screenshot"
  shot="$(sed -n 's/^zentrifa: screenshot //p' "$work/err" | tail -1)"
  [[ -n "$shot" && -f "$shot" ]] || fail "F12 wrote no screenshot"
  "$xwin" alike "$work/menu.png" "$shot" 5 || fail "the screenshot does not show the start menu"

  # F11: the display covered, the picture scaled to its height; F11 again: the window is back.
  key F11
  expect_geometry "0 0 1280 720"
  not_black 1100 700 "the fullscreen picture's lower right"
  [[ "$(pixel 80 360)" == "0 0 0" ]] || fail "no letterbox bar in fullscreen"
  key F11
  if [[ "$manager" == none ]]; then expect_geometry "140 110 1000 500"; fi
  close "$manager-window"
  grep -q "^window_size = 1000x500" "$work/config/zentrifa/zentrifa.ini" || fail "the window's size was not kept: $(cat "$work/config/zentrifa/zentrifa.ini")"

  # Fullscreen from the settings: the menu is reached by clicks at the fullscreen scale.
  printf 'fullscreen = yes\n' >"$work/config/zentrifa/zentrifa.ini"
  start "$manager-fullscreen" --trace
  expect_geometry "0 0 1280 720"
  click 10 590
  click 10 590
  click 690 32 # << NEW GAME >>: the stage is asked for
  eventually grep -q 'Which stage will you play' "$work/out" || fail "the click on NEW GAME did not reach it"
  key F11
  left_fullscreen() { [[ "$(geometry)" != "0 0 1280 720" ]]; }
  eventually left_fullscreen || fail "F11 did not leave fullscreen"
  key F11
  expect_geometry "0 0 1280 720"
  close "$manager-fullscreen"
  grep -q '^fullscreen = yes' "$work/config/zentrifa/zentrifa.ini" || fail "fullscreen was not kept"

  # A stop request (a logout, a shutdown) while the game waits for the player ends it at once,
  # with a save where one is due.
  rm -f "$work/config/zentrifa/zentrifa.ini"
  if [[ "$manager" == none ]]; then
    # The box of a second copy on the same save folder goes, and that copy ends as it would.
    start stop-box
    XDG_CONFIG_HOME="$work/config" "$game" --lang en --save-dir "$work/save" >/dev/null 2>"$work/err2" &
    second=$!
    pids+=("$second")
    box_shown() { xwininfo -root -tree | grep -q '"Q\.Z\."'; }
    box_gone() { ! box_shown; }
    eventually box_shown || fail "the second copy shows no box"
    stopped stop-box "$second" HUP 3
    eventually box_gone || fail "the second copy's box stayed"
    # Paused: the start-up picture's Z at (130, 290) goes dark behind the pause's words.
    dimmed() {
      local r g b
      read -r r g b <<<"$(play_pixel 130 290)"
      ((r < 64 && g < 64 && b < 64))
    }
    ! dimmed || fail "the start-up picture is dark where its Z should be: $(play_pixel 130 290)"
    key p
    eventually dimmed || fail "P did not pause: $(play_pixel 130 290)"
    stop_saves stop-pause TERM
    # A question open.
    start stop-question
    key Escape
    eventually question_shown || fail "no question box to stop in"
    stop_saves stop-question INT
    # The box that says the closing save failed (my.dat turned into a folder during play).
    start stop-failed-save
    rm -f "$work/save/my.dat"
    mkdir -p "$work/save/my.dat/in-the-way"
    "$xwin" close "$window"
    eventually box_shown || fail "no box says the save failed"
    stopped stop-failed-save "$game_pid" TERM 1
    eventually box_gone || fail "the failed save's box stayed"
  else
    # Minimised, which pauses the game.
    start stop-minimised
    xdotool windowminimize "$window"
    sleep 0.5
    stop_saves stop-minimised TERM
  fi
done
echo "real window: passed"
