#!/usr/bin/env bash
# The style check, run by the test command after the plain build:
#   clang-format  every C++ file of src tools tests bench fuzz is in the house style (.clang-format;
#                 scripts/format.sh formats them in place)
#   clang-tidy    the checks of .clang-tidy over the game, its tools, tests and benchmarks, against
#                 the compile commands of a configured build folder (default: build)
# Prints only the findings, each once (a header's finding is reported by every file that includes
# it), and how many there are of each check; fails on any.
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

log="$(mktemp)"
findings="$(mktemp)"
trap 'rm -f "$log" "$findings"' EXIT
tidy=0
# The compile commands are gcc's; clang does not know some of its warning options.
timeout 900 run-clang-tidy -quiet -j "$(nproc)" -p "$build" -extra-arg=-Wno-unknown-warning-option "$files" \
  >"$log" 2>&1 || tidy=$?
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
  [[ $tidy -eq 124 ]] && echo "style: clang-tidy did not finish in 900 s" >&2
  echo "style: clang-tidy found $(wc -l <"$findings") problems (exit $tidy)" >&2
  status=1
else
  echo "style: clang-tidy clean"
fi
exit $status
