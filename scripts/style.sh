#!/usr/bin/env bash
# The style check, run by the test command after the plain build:
#   clang-format  every C++ file of src tools tests bench fuzz is in the house style (.clang-format;
#                 scripts/format.sh formats them in place)
#   clang-tidy    the checks of .clang-tidy over the game, its tools, tests and benchmarks, against
#                 the compile commands of a configured build folder (default: build)
# Prints only the findings, each once (a header's finding is reported by every file that includes
# it), and how many there are of each check; fails on any.
#
# clang-tidy's results are kept outside the tree (${ZENTRIFA_TIDY_CACHE:-~/.cache/zentrifa-tidy}),
# under a key of what decides them: the file as clang preprocesses it with its compile command
# (comments and macro definitions kept, so a NOLINT or an unused macro counts), that command, the
# .clang-tidy files and the versions of clang-tidy and clang; the tree's own folder is left out of
# the key, so clones share it. A file whose key is there was clean and is not analysed again. A
# finding is never kept: it is shown on every run until it is fixed. A header is part of each file
# that includes it, so a changed header has them analysed again, with its findings.
#
#   scripts/style.sh [BUILD [PATH...]]   PATH: only these folders or files (e.g. src/rules), and
#                                        no clang-format check
set -euo pipefail
build="${1:-build}"
paths=()
for p in "${@:2}"; do paths+=("$(realpath -m "$p")"); done
cd "$(dirname "$0")/.."
if [[ ! -f "$build/compile_commands.json" ]]; then
  echo "style: $build/compile_commands.json is missing; configure with -DCMAKE_EXPORT_COMPILE_COMMANDS=ON" >&2
  exit 2
fi

status=0
if [[ ${#paths[@]} -eq 0 ]]; then
  ./scripts/format.sh --check || status=1
  paths=("$PWD/src" "$PWD/tools" "$PWD/tests" "$PWD/bench")
fi
# The layer probes of tests/layers are meant not to compile; they are not read.
files="^(?!$PWD/tests/layers/)($(printf '%s|' "${paths[@]}" | sed 's/|$//'))(/|$)"

tidy_cache="${ZENTRIFA_TIDY_CACHE:-$HOME/.cache/zentrifa-tidy}"
# Catches a hang of one file: the slowest takes about a minute on a quiet machine.
tidy_file_bound=600
work="$(mktemp -d)"
log="$work/log"
findings="$work/findings"
trap 'rm -rf "$work"' EXIT
mkdir -p "$tidy_cache" "$work/out"
# Keys not used for a month go.
find "$tidy_cache" -type f -mtime +30 -delete

# The files, one a line with its folder and the command that preprocesses it: the compile command
# with clang in gcc's place (the compile commands are gcc's; clang does not know some of its
# warning options), its output and dependency files left out, and -E -C -dD.
python3 - "$build/compile_commands.json" "$files" >"$work/files" <<'PY'
import json, re, shlex, sys
wanted = re.compile(sys.argv[2])
for entry in json.load(open(sys.argv[1])):
    if not wanted.search(entry["file"]):
        continue
    args = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    command = ["clang" if entry["file"].endswith(".c") else "clang++"]
    skip = False
    for arg in args[1:]:
        if skip:
            skip = False
        elif arg in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
        elif arg not in ("-c", "-MD", "-MMD"):
            command.append(arg)
    command += ["-Wno-unknown-warning-option", "-E", "-C", "-dD", "-o", "-"]
    print(entry["file"], entry["directory"], shlex.join(command), sep="\t")
PY

# What every key holds besides the file.
tidy_setup="$({
  clang-tidy --version
  clang --version
  find . \( -name 'build*' -o -name node_modules -o -name .git \) -prune -o -name .clang-tidy -print | sort |
    xargs sha256sum
} | sha256sum | cut -d' ' -f1)"
# The tree's folder as a sed pattern, taken out of the keys.
root_pattern="$(printf '%s' "$PWD" | sed 's/[][\.*^$|]/\\&/g')"

# tidy_one N: the file of line N of the list, from the cache or analysed. Its output goes to
# out/N.log, and "STATE SECONDS FILE" to out/N.result; STATE is cached, clean, findings, failed
# or hung.
tidy_one() {
  set -uo pipefail
  local n="$1" file dir command key start state code=0 preprocessed=0
  IFS=$'\t' read -r file dir command < <(sed -n "${n}p" "$work/files")
  start="$EPOCHREALTIME"
  key="$({
    echo "$tidy_setup"
    printf '%s\n' "$command" | sed "s|$root_pattern|.|g"
    (cd "$dir" && eval "$command" 2>/dev/null) | sed "s|$root_pattern|.|g"
  } | sha256sum | cut -d' ' -f1)" || preprocessed=$?
  # A file clang cannot preprocess has no key; clang-tidy says why.
  [[ $preprocessed -eq 0 ]] || key=""
  if [[ -n "$key" && -f "$tidy_cache/${key:0:2}/$key" ]]; then
    touch "$tidy_cache/${key:0:2}/$key"
    : >"$work/out/$n.log"
    state=cached
  else
    timeout "$tidy_file_bound" clang-tidy -quiet -p "$build" -extra-arg=-Wno-unknown-warning-option "$file" \
      >"$work/out/$n.log" 2>&1 || code=$?
    if [[ $code -eq 124 ]]; then
      state=hung
    elif sed 's/\x1b\[[0-9;]*m//g' "$work/out/$n.log" | grep -qE '^[^ ]+:[0-9]+:[0-9]+: (warning|error): '; then
      state=findings
    elif [[ $code -ne 0 ]]; then
      state=failed
    else
      state=clean
      if [[ -n "$key" ]]; then
        mkdir -p "$tidy_cache/${key:0:2}"
        : >"$tidy_cache/${key:0:2}/$key"
      fi
    fi
  fi
  echo "$state $(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }') ${file#"$PWD"/}" \
    >"$work/out/$n.result"
}
export -f tidy_one
export work build tidy_cache tidy_file_bound tidy_setup root_pattern
count="$(wc -l <"$work/files")"
seq 1 "$count" | xargs -P "$(nproc)" -I{} bash -c 'tidy_one {}'
results="$work/results"
for n in $(seq 1 "$count"); do
  cat "$work/out/$n.log" >>"$log"
  cat "$work/out/$n.result" >>"$results"
done
awk '
  $1 == "cached" { cached++; next }
  { analysed++; total += $2; if ($2 > longest) { longest = $2; slowest = $3 } }
  END {
    printf "style: clang-tidy over %d files: %d clean in the cache, %d analysed", NR, cached, analysed
    if (analysed) printf " (%.0f s of them in all; the longest %.0f s, %s)", total, longest, slowest
    printf "\n"
  }' "$results"
tidy=0
grep -qvE '^(cached|clean) ' "$results" && tidy=1

sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error): ' | sed "s|^$PWD/||" | sort -u >"$findings" || true
if [[ $tidy -ne 0 || -s "$findings" ]]; then
  # Each finding with the source line and marker that follow it in the log.
  sed 's/\x1b\[[0-9;]*m//g' "$log" | sed "s|^$PWD/||" | awk -v list="$findings" '
    BEGIN { while ((getline line < list) > 0) wanted[line] = 1 }
    /^[^ ]+:[0-9]+:[0-9]+: (warning|error): / { show = (($0 in wanted) && !($0 in seen)); seen[$0] = 1; n = 0 }
    show && n++ < 3 { print }' >&2
  echo "style: clang-tidy findings per check:" >&2
  grep -o '\[[a-z0-9.-]*' "$findings" | tr -d '[' | sort | uniq -c | sort -rn | sed 's/^/  /' >&2 || true
  [[ -s "$findings" ]] || tail -n 40 "$log" >&2
  # A file that failed or hung, and for a hang, how long the others took.
  awk '$1 == "failed" { print "style: clang-tidy of " $3 " failed" }' "$results" >&2
  if grep -q '^hung ' "$results"; then
    awk -v bound="$tidy_file_bound" '$1 == "hung" { print "style: clang-tidy of " $3 " did not finish in " bound " s" }' \
      "$results" >&2
    awk '$1 != "hung" && $1 != "cached" { print $2 }' "$results" | sort -n | awk '
      { t[NR] = $1; total += $1 }
      END {
        if (NR) printf "style: the other %d files analysed took %.0f s in all; median %.1f s, longest %.1f s\n",
          NR, total, t[int((NR + 1) / 2)], t[NR]
      }' >&2
  fi
  echo "style: clang-tidy found $(wc -l <"$findings") problems" >&2
  status=1
else
  echo "style: clang-tidy clean"
fi
exit $status
