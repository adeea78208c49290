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
#   compiler_cache_options BUILD [COMPILER_ID]
#       sets the array compiler_cache to the CMake options that compile BUILD's C and C++ through
#       the cache (empty where ccache is not installed, as in a player's build). COMPILER_ID
#       stands for the compiler in the key where its file's size and time do not tell its version
#       (a wrapper script). Each compile's result is logged in BUILD/ccache-stats.log: the cache
#       is shared with other clones, whose compiles its own counters also count.
#   compiler_cache_counts
#       prints "HITS MISSES" of the compiles logged in this tree's build folders so far.
compiler_cache_dir="${CCACHE_DIR:-$HOME/.cache/zentrifa-ccache}"

compiler_cache_options() {
  compiler_cache=()
  command -v ccache >/dev/null || return 0
  local launcher="/usr/bin/env;CCACHE_DIR=$compiler_cache_dir;CCACHE_BASEDIR=$PWD;CCACHE_NOHASHDIR=true"
  launcher+=";CCACHE_STATSLOG=$(realpath -m "$1")/ccache-stats.log"
  if [[ -n "${2:-}" ]]; then launcher+=";CCACHE_COMPILERCHECK=string:$2"; fi
  launcher+=";ccache"
  compiler_cache=(-DCMAKE_C_COMPILER_LAUNCHER="$launcher" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")
}

compiler_cache_counts() {
  local logs=(build*/ccache-stats.log)
  if [[ ! -e "${logs[0]}" ]]; then
    echo "0 0"
    return
  fi
  awk '
    $1 == "direct_cache_hit" || $1 == "preprocessed_cache_hit" { hits++ }
    $1 == "cache_miss" { misses++ }
    END { print hits + 0, misses + 0 }' "${logs[@]}"
}
