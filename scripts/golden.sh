#!/usr/bin/env bash
# The golden recordings in tests/golden/: each NAME.rec is a recorded session (its first line names
# the seed); NAME.start.dat, when there is one, is the save it starts from; NAME.save and
# NAME.trace are the save file and the --trace it must leave when it is played again; NAME.png,
# when there is one, is the last frame it must show (a busy street, a home menu: the proof that a
# change to the drawing left every pixel where it was).
#
#   scripts/golden.sh check GAME NAME     replay one with the program GAME; on a difference, print
#                                         the first differing line and fail (CTest runs this); it
#                                         is replayed in English too, to the same save. With
#                                         ZENTRIFA_GOLDEN_FRAMES=DIR the last frame is not compared
#                                         but left in DIR/NAME.png for the caller to compare
#   scripts/golden.sh update [BUILD]      replay every one with BUILD/zentrifa (default: build) and
#                                         write its NAME.save and NAME.trace (and the NAME.png it
#                                         has) anew: for a change that is meant to alter the game
#                                         (the diff shows how)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
golden="$here/tests/golden"

# replay GAME NAME OUT [LANG]: plays NAME.rec headless in LANG (default ja, the language the traces
# are in) into the folder OUT (my.dat, trace, err, and the last frame as shot.png).
replay() {
  local game="$1" name="$2" out="$3" lang="${4:-ja}"
  rm -rf "$out"
  mkdir -p "$out/save"
  if [[ -f "$golden/$name.start.dat" ]]; then cp "$golden/$name.start.dat" "$out/save/my.dat"; fi
  if ! XDG_CONFIG_HOME="$out/config" "$game" --headless --lang "$lang" --trace --input "$golden/$name.rec" \
    --save-dir "$out/save" --screenshot "$out/shot.png" >"$out/trace" 2>"$out/err"; then
    echo "golden $name: the replay failed:" >&2
    cat "$out/err" >&2
    return 1
  fi
}

# first_difference WHAT EXPECTED GOT: says where two files first differ; fails when they do.
first_difference() {
  local what="$1" expected="$2" got="$3"
  cmp -s "$expected" "$got" && return 0
  local line
  line="$(cmp "$expected" "$got" 2>&1 | grep -o 'line [0-9]*' | grep -o '[0-9]*' || true)"
  [[ -z "$line" ]] && line="$(($(wc -l <"$expected") + 1))" # one is the start of the other
  echo "$what differs first at line $line:" >&2
  echo "  expected: $(sed -n "${line}p" "$expected" | tr -d '\r')" >&2
  echo "  got:      $(sed -n "${line}p" "$got" | tr -d '\r')" >&2
  return 1
}

case "${1:-}" in
  check)
    [[ $# -eq 3 ]] || { echo "usage: scripts/golden.sh check GAME NAME" >&2; exit 2; }
    game="$2" name="$3"
    out="$(mktemp -d)"
    trap 'rm -rf "$out"' EXIT
    replay "$game" "$name" "$out"
    status=0
    first_difference "golden $name: the trace" "$golden/$name.trace" "$out/trace" || status=1
    first_difference "golden $name: the save" "$golden/$name.save" "$out/save/my.dat" || status=1
    if [[ -n "${ZENTRIFA_GOLDEN_FRAMES:-}" && -f "$golden/$name.png" ]]; then
      # The caller compares the last frame itself (the browser's, whose texts may differ from the
      # desktop's by one step at a few edge pixels): it is left there as NAME.png.
      cp "$out/shot.png" "$ZENTRIFA_GOLDEN_FRAMES/$name.png"
    elif [[ -f "$golden/$name.png" ]] && ! cmp -s "$golden/$name.png" "$out/shot.png"; then
      kept="${TMPDIR:-/tmp}/golden-$name.png"
      cp "$out/shot.png" "$kept"
      echo "golden $name: the last frame differs from $name.png (this run's frame: $kept)" >&2
      status=1
    fi
    # The save holds no text: the same session played in English leaves the same save.
    replay "$game" "$name" "$out/en" en
    first_difference "golden $name: the save played in English" "$golden/$name.save" "$out/en/save/my.dat" || status=1
    if [[ $status -ne 0 ]]; then
      echo "(a change meant to alter the game re-records them: scripts/golden.sh update)" >&2
      exit 1
    fi
    if [[ -f "$golden/$name.png" && -z "${ZENTRIFA_GOLDEN_FRAMES:-}" ]]; then
      echo "golden $name: the same save, trace and last frame"
    else
      echo "golden $name: the same save and trace"
    fi
    ;;
  update)
    build="${2:-build}"
    [[ "$build" = /* ]] || build="$here/$build"
    out="$(mktemp -d)"
    trap 'rm -rf "$out"' EXIT
    for rec in "$golden"/*.rec; do
      name="$(basename "$rec" .rec)"
      replay "$build/zentrifa" "$name" "$out/$name"
      cp "$out/$name/trace" "$golden/$name.trace"
      cp "$out/$name/save/my.dat" "$golden/$name.save"
      if [[ -f "$golden/$name.png" ]]; then cp "$out/$name/shot.png" "$golden/$name.png"; fi
      echo "golden $name: recorded anew"
    done
    ;;
  *)
    echo "usage: scripts/golden.sh check GAME NAME | update [BUILD]" >&2
    exit 2
    ;;
esac
