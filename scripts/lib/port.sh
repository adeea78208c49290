# What the builds for another system (scripts/windows.sh, scripts/web.sh) do first, sourced by
# them from the tree's root with their arguments: [--werror] [HOST_BUILD].
#
#   port_prepare TARGET ARGS...   sets werror (ON/OFF), host (the native build) and prefix (the
#                                 target's libraries): the Debian packages (scripts/deps.sh
#                                 --TARGET), the libraries from Debian's sources or their cache
#                                 (scripts/deps-from-source.sh TARGET), and in the native build the
#                                 text table's generator and the asset pack, which a cross-build
#                                 takes from there (configured when it has not been); and
#                                 compiler_id, what stands for the compiler in ccache's key
#                                 (scripts/lib/ccache.sh) when its file does not tell.
# shellcheck source=scripts/lib/ccache.sh
source scripts/lib/ccache.sh
port_prepare() {
  local target="$1"
  shift
  werror=OFF
  if [[ "${1:-}" == "--werror" ]]; then
    werror=ON
    shift
  fi
  host="${1:-build}"

  ./scripts/deps.sh "--$target"
  # Its output shown as it comes (a first build takes minutes), and kept for the prefix it names last.
  local libs_log
  libs_log="$(mktemp)"
  ./scripts/deps-from-source.sh "$target" | tee "$libs_log"
  prefix="$(sed -n 's/^ZENTRIFA_DEPS_PREFIX=//p' "$libs_log" | tail -n1)"
  rm -f "$libs_log"
  [[ -d "$prefix" ]] || { echo "$target: the libraries' build gave no prefix" >&2; exit 1; }

  if [[ ! -f "$host/CMakeCache.txt" ]]; then
    compiler_cache_options "$host"
    cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTRIFA_WERROR="$werror" "${compiler_cache[@]}" >/dev/null
  fi
  cmake --build "$host" -j"$(nproc)" --target textgen asset_pack

  if [[ "$target" == web ]]; then
    # emcc is a shell script that starts Python: its file stays the same from one Emscripten to
    # the next, so the cache knows the compiler by what it says of itself and of the clang it
    # runs, and by the files of both.
    local emcc clang_dir
    emcc="$(command -v emcc)"
    clang_dir="$("$emcc" -v 2>&1 | sed -n 's/^InstalledDir: //p')"
    compiler_id="$({
      "$emcc" -v 2>&1
      stat -L -c '%n %s %Y' "$emcc" /usr/share/emscripten/emcc.py "$clang_dir/clang" 2>&1
    } | sha256sum | cut -c1-16)"
  else
    compiler_id=""
  fi
}
