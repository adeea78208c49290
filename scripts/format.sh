#!/usr/bin/env bash
# Formats the C++ files of the game, its tools, tests, benchmarks and fuzz targets in place with
# clang-format, in the house style of .clang-format. With --check it changes nothing, names each
# file that differs and fails; the test command runs that (through scripts/style.sh).
#
#   scripts/format.sh                 format every *.cpp and *.h under src tools tests bench fuzz
#   scripts/format.sh --check         only report
#   scripts/format.sh [--check] FILE...   these files only
#
# clang-format's output changes between its versions; the house style is that of clang-format 14,
# the one Debian 12 ships (CLANG_FORMAT=... picks another binary).
set -euo pipefail
check=0
if [[ "${1:-}" == "--check" ]]; then check=1; shift; fi
given=()
for f in "$@"; do given+=("$(realpath -m "$f")"); done
cd "$(dirname "$0")/.."

tool="${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}"
if [[ -z "$tool" ]]; then
  echo "format: clang-format is missing (Debian: apt-get install clang-format)" >&2
  exit 2
fi
version="$("$tool" --version | grep -o 'version [0-9]*' | grep -o '[0-9]*$' || true)"
if [[ "$version" != 14 ]]; then
  echo "format: $tool is version ${version:-?}, the house style is kept with version 14; its results may differ" >&2
fi

files=()
if [[ ${#given[@]} -gt 0 ]]; then
  files=("${given[@]}")
else
  mapfile -d '' files < <(find src tools tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
fi

if [[ $check -eq 0 ]]; then
  printf '%s\0' "${files[@]}" | xargs -0 -n 16 -P "$(nproc)" "$tool" -i --style=file
  echo "format: ${#files[@]} files formatted"
  exit 0
fi

# The files that differ, and the first differences as a diff of what clang-format would write.
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
# One clang-format for all (a second or two), so that no two write into the log at once.
if ! "$tool" --dry-run --style=file "${files[@]}" >"$log" 2>&1; then
  cat "$log" >&2
  echo "format: $tool failed" >&2
  exit 2
fi
mapfile -t differ < <(grep -o '^[^ :]*:[0-9]*:[0-9]*: warning: code should be clang-formatted' "$log" | cut -d: -f1 | sort -u)
if [[ ${#differ[@]} -gt 0 ]]; then
  for f in "${differ[@]}"; do echo "format: differs: $f" >&2; done
  for f in "${differ[@]:0:3}"; do
    "$tool" --style=file "$f" | diff -u --label "$f" --label "$f (formatted)" "$f" - | head -n 20 >&2 || true
  done
  echo "format: ${#differ[@]} of ${#files[@]} files differ from the house style; scripts/format.sh formats them" >&2
  exit 1
fi
echo "format: ${#files[@]} files in the house style"
