# The compiler cache of the test command's builds, sourced by the scripts that configure them
# (scripts/test.sh, fuzz.sh, windows.sh and web.sh through scripts/lib/port.sh), from the tree's root.
#
# Debian's ccache, with its cache outside the tree (${CCACHE_DIR:-~/.cache/zentrifa-ccache}), so
# that a fresh clone finds what an earlier one compiled. Paths under the tree are taken relative to
# it (base_dir) and the working folder is left out of the key (hash_dir off), so clones in other
# folders share the cache; the debug information then names the folder of the clone that compiled
# first, which no test reads. The key is ccache's own: the compiler, every flag, and the source with
# every header it includes, so a changed flag or header compiles again what it changes.
#
#   compiler_cache_options [COMPILER_ID]   sets the array compiler_cache to the CMake options that
#                                          compile C and C++ through the cache (empty where ccache
#                                          is not installed, as in a player's build). COMPILER_ID
#                                          stands for the compiler in the key where its file's size
#                                          and time do not tell its version (a wrapper script).
#   compiler_cache_counts                  prints "HITS MISSES" of the cache so far.
compiler_cache_dir="${CCACHE_DIR:-$HOME/.cache/zentrifa-ccache}"

compiler_cache_options() {
  compiler_cache=()
  command -v ccache >/dev/null || return 0
  local launcher="/usr/bin/env;CCACHE_DIR=$compiler_cache_dir;CCACHE_BASEDIR=$PWD;CCACHE_NOHASHDIR=true"
  if [[ -n "${1:-}" ]]; then launcher+=";CCACHE_COMPILERCHECK=string:$1"; fi
  launcher+=";ccache"
  compiler_cache=(-DCMAKE_C_COMPILER_LAUNCHER="$launcher" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")
}

compiler_cache_counts() {
  if ! command -v ccache >/dev/null; then
    echo "0 0"
    return
  fi
  CCACHE_DIR="$compiler_cache_dir" ccache --print-stats | awk '
    $1 == "direct_cache_hit" || $1 == "preprocessed_cache_hit" { hits += $2 }
    $1 == "cache_miss" { misses += $2 }
    END { print hits + 0, misses + 0 }'
}
