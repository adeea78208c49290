#!/usr/bin/env bash
# Builds the libraries the game links for another system, from Debian's own source packages, at the
# versions the Linux build uses, into a cache folder outside the tree:
#
#   scripts/deps-from-source.sh windows     64-bit Windows with MinGW-w64 (posix threads)
#   scripts/deps-from-source.sh web         the browser: WebAssembly with Emscripten
#
# How each target builds each library is in scripts/deps/<target>.sh, which this script sources.
# The folder is ${ZENTRIFA_DEPS_CACHE:-~/.cache/zentrifa-deps}/<target>-<key>/, where the key is a
# hash of the target, the library versions, the compilers' versions, this script and the target's
# own files (so a change to one target leaves the other's cache as it is). A folder whose build
# finished holds a marker written last and is reused as it is; a folder left half-built goes on
# from the first library not yet installed. The last line printed is
# ZENTRIFA_DEPS_PREFIX=<folder>/prefix, to pass to CMake with the target's toolchain file.
#
# Sources come only from Debian's archive, through a private apt configuration (its own sources
# folder with a deb-src copy of this system's Debian entry, its own lists and cache): the system's
# apt configuration and package lists are left as they are.
set -euo pipefail

usage() {
  echo "usage: $0 windows|web" >&2
  exit 2
}
[[ $# -eq 1 ]] || usage
target=$1
case "$target" in
  windows | web) ;;
  *) usage ;;
esac

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
self="$here/scripts/deps-from-source.sh"
target_file="$here/scripts/deps/$target.sh"
cache_root=${ZENTRIFA_DEPS_CACHE:-$HOME/.cache/zentrifa-deps}
jobs=${ZENTRIFA_DEPS_JOBS:-2}
# The target's compilers, its key files and its build steps.
# shellcheck source=/dev/null
source "$target_file"

# ---------------------------------------------------------------------------------------------
# Build machine packages
# ---------------------------------------------------------------------------------------------
"$here/scripts/deps.sh" "--$target"

# ---------------------------------------------------------------------------------------------
# Versions: those of the development packages the Linux build compiles against
# ---------------------------------------------------------------------------------------------
# Build order; each entry: library name, Debian source package, the installed package whose
# source version is wanted.
libraries=(
  "zlib zlib zlib1g-dev"
  "libpng libpng1.6 libpng-dev"
  "freetype freetype libfreetype-dev"
  "harfbuzz harfbuzz libharfbuzz-dev"
  "pixman pixman libpixman-1-dev"
  "cairo cairo libcairo2-dev"
  "libjpeg-turbo libjpeg-turbo libjpeg62-turbo-dev"
  "SDL2 libsdl2 libsdl2-dev"
  "mpg123 mpg123 libmpg123-dev"
  "SDL2_ttf libsdl2-ttf libsdl2-ttf-dev"
  "SDL2_mixer libsdl2-mixer libsdl2-mixer-dev"
)
declare -A want_version source_of
order=()
for entry in "${libraries[@]}"; do
  read -r lib src binary <<<"$entry"
  version=$(dpkg-query -W -f='${source:Version}' "$binary" 2>/dev/null || true)
  if [[ -z "$version" ]]; then
    echo "$binary is not installed: its version is the one to build. Run scripts/deps.sh first." >&2
    exit 1
  fi
  want_version[$lib]=$version
  source_of[$lib]=$src
  order+=("$lib")
done

# ---------------------------------------------------------------------------------------------
# The cache folder's key
# ---------------------------------------------------------------------------------------------
key=$(
  {
    echo "target $target"
    for lib in "${order[@]}"; do echo "$lib ${source_of[$lib]} ${want_version[$lib]}"; done
    compilers_id
    sha256sum "$self" "$target_file" "${target_key_files[@]}" | cut -d' ' -f1
  } | sha256sum | cut -c1-16
)
dir="$cache_root/$target-$key"
prefix="$dir/prefix"
if [[ -f "$dir/complete" ]]; then
  echo "Libraries for $target taken from the cache: $dir"
  cat "$dir/build-times.txt"
  echo "ZENTRIFA_DEPS_PREFIX=$prefix"
  exit 0
fi
mkdir -p "$dir/stamps" "$prefix"
echo "Building the libraries for $target into $dir"

# ---------------------------------------------------------------------------------------------
# Steps every target's builds share
# ---------------------------------------------------------------------------------------------
make_install() {
  make -j"$jobs"
  make install
}

# Autotools sources patched by Debian (configure.ac or Makefile.am) make make want to run the
# autotools again. The generated files still fit the build: date them after their inputs.
settle_autotools() {
  local now
  now=$(date +%s)
  find . -name aclocal.m4 -exec touch -d "@$now" {} +
  find . -name configure -exec touch -d "@$((now + 1))" {} +
  find . -name config.h.in -exec touch -d "@$((now + 2))" {} +
  find . -name Makefile.in -exec touch -d "@$((now + 3))" {} +
}

# ---------------------------------------------------------------------------------------------
# Fetching Debian's sources with a private apt configuration
# ---------------------------------------------------------------------------------------------
apt_dir="$cache_root/apt"
apt_opts=(
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::Etc::SourceList=/dev/null"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "Acquire::Languages=none"
  -o "APT::Get::Only-Source=true"
)
[[ $(id -u) -eq 0 ]] && apt_opts+=(-o "APT::Sandbox::User=root")

# Writes a deb-src copy of this system's Debian entries (those of the release it runs), in either
# of apt's two formats, to stdout.
debian_source_entries() {
  local codename
  # shellcheck source=/dev/null
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [[ -n "$codename" ]] || { echo "Cannot tell the Debian release from /etc/os-release" >&2; return 1; }
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -f "$f" ]] || continue
    # deb822 stanzas: keep those whose Suites name this release and that list binary packages.
    awk -v rel="$codename" '
      function flush() {
        if (text != "" && isdeb && hasrel) printf "%s\n", text
        text = ""; isdeb = 0; hasrel = 0
      }
      /^[[:space:]]*$/ { flush(); next }
      /^#/ { next }
      /^Types:/ { if ($0 ~ /[[:space:]]deb([[:space:]]|$)/) isdeb = 1; text = text "Types: deb-src\n"; next }
      /^Suites:/ { for (i = 2; i <= NF; i++) if (index($i, rel) == 1) hasrel = 1 }
      { text = text $0 "\n" }
      END { flush() }
    ' "$f"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f "$f" ]] || continue
    # One-line entries: "deb [options] URI suite components"; the suite is the first word after
    # the URI.
    awk -v rel="$codename" '
      $1 == "deb" {
        i = 2
        if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
        if (index($(i + 1), rel) == 1) { $1 = "deb-src"; print }
      }
    ' "$f"
  done
}

setup_apt() {
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  local entries
  entries=$(debian_source_entries)
  if [[ -z "$entries" ]]; then
    echo "No Debian entry found in this system's apt sources to take the source packages from." >&2
    exit 1
  fi
  # deb822 stanzas and one-line entries go to files of their own kind.
  rm -f "$apt_dir/sources.list.d/"*
  if grep -q '^Types:' <<<"$entries"; then
    grep -v '^deb-src ' <<<"$entries" >"$apt_dir/sources.list.d/debian-src.sources"
  fi
  if grep -q '^deb-src ' <<<"$entries"; then
    grep '^deb-src ' <<<"$entries" >"$apt_dir/sources.list.d/debian-src.list"
  fi
  echo "Updating the private source package lists"
  apt-get "${apt_opts[@]}" update -qq
}

# The versions of a source package that the lists hold, newest first.
listed_versions() {
  apt-cache "${apt_opts[@]}" showsrc "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -u -r -V
}

upstream_of() { # 1:2.1.5-2 -> 2.1.5
  local v=${1#*:}
  echo "${v%-*}"
}

# Files a .dsc names (sha256 size name), from its Checksums-Sha256 field.
dsc_files() {
  awk '/^Checksums-Sha256:/ { on = 1; next } /^[^ ]/ { on = 0 } on && NF == 3 { print $1, $2, $3 }' "$1"
}

fetched=()   # "lib version note" for the summary
declare -A source_dir

# Fetches one source package at a version into $1's download folder and unpacks it into
# $dir/build/<lib>; sets source_dir[lib]. Checks every file against the checksums of the .dsc
# (which apt checked against the archive's signed lists).
fetch_one() {
  local lib=$1 src=${source_of[$1]} want=${want_version[$1]}
  local upstream
  upstream=$(upstream_of "$want")
  # The wanted version first, then other Debian revisions of the same upstream release, newest
  # first: the archive keeps only the newest security update, and sometimes not even its files.
  local candidates=("$want") v
  while read -r v; do
    [[ -n "$v" && "$v" != "$want" && "$(upstream_of "$v")" == "$upstream" ]] && candidates+=("$v")
  done < <(listed_versions "$src")

  local best_partial=""
  for v in "${candidates[@]}"; do
    local dl="$cache_root/sources/${src}_${v#*:}"
    mkdir -p "$dl"
    # apt skips the files it already has; a file missing from the archive is an error here only
    # if the .dsc below needs it.
    (cd "$dl" && apt-get "${apt_opts[@]}" source --download-only -qq "$src=$v" >/dev/null 2>"$dl/apt-errors.txt") || true
    local dsc="$dl/${src}_${v#*:}.dsc"
    [[ -f "$dsc" ]] || continue
    # Every file but the upstream signatures (.asc, which the archive sometimes lacks) must be
    # there with its checksum.
    local ok=1 sum name have_debian=1 have_orig=1
    while read -r sum _ name; do
      if [[ "$name" == *.asc ]]; then continue; fi
      if [[ ! -f "$dl/$name" ]] || [[ "$(sha256sum "$dl/$name" | cut -d' ' -f1)" != "$sum" ]]; then
        ok=0
        if [[ "$name" == *.orig*.tar.* ]]; then have_orig=0; else have_debian=0; fi
      fi
    done < <(dsc_files "$dsc")
    if [[ $ok -eq 1 ]]; then
      # A .dsc without the missing signature files, so that dpkg-source checks the rest.
      local trimmed="$dl/unpack.dsc"
      grep -v '\.asc$' "$dsc" >"$trimmed"
      rm -rf "$dir/build/$lib"
      mkdir -p "$dir/build"
      dpkg-source --no-copy -x "$trimmed" "$dir/build/$lib" >"$dl/unpack.txt" 2>&1 ||
        { cat "$dl/unpack.txt" >&2; echo "dpkg-source could not unpack $src $v" >&2; exit 1; }
      source_dir[$lib]="$dir/build/$lib"
      if [[ "$v" == "$want" ]]; then fetched+=("$lib $v"); else fetched+=("$lib $v (wanted $want: not in the archive)"); fi
      return 0
    fi
    if [[ $have_orig -eq 1 && $have_debian -eq 0 && -z "$best_partial" ]]; then
      best_partial="$v"
    fi
  done

  # Only the upstream release could be had: use it as it is, without Debian's changes, and say so.
  if [[ -n "$best_partial" ]]; then
    v=$best_partial
    local dl="$cache_root/sources/${src}_${v#*:}"
    local dsc="$dl/${src}_${v#*:}.dsc" orig
    orig=$(dsc_files "$dsc" | awk '$3 ~ /\.orig\.tar\./ { print $3; exit }')
    rm -rf "$dir/build/$lib"
    mkdir -p "$dir/build/$lib"
    tar -xf "$dl/$orig" -C "$dir/build/$lib" --strip-components=1
    source_dir[$lib]="$dir/build/$lib"
    fetched+=("$lib $upstream (upstream release only: Debian's changes of $v are missing from the archive)")
    echo "warning: $src $v: Debian's changes are missing from the archive; building the upstream release" >&2
    return 0
  fi
  return 1
}

mkdir -p "$dir/build"
setup_build
setup_apt

total_start=$(date +%s)
times=()
failed=()
for lib in "${order[@]}"; do
  if [[ -f "$dir/stamps/$lib" ]]; then
    times+=("$(printf '%-14s %5s  (built before)' "$lib" "$(cat "$dir/stamps/$lib")s")")
    continue
  fi
  if ! fetch_one "$lib"; then
    echo "error: no Debian source of ${source_of[$lib]} ${want_version[$lib]} can be had from the archive" >&2
    failed+=("$lib")
    continue
  fi
  echo "== $lib: ${fetched[-1]#"$lib "}"
  start=$(date +%s)
  log="$dir/build/$lib.log"
  # Not under "if": a step that fails inside must stop the library's build there.
  set +e
  (
    set -e
    cd "${source_dir[$lib]}"
    "build_${lib//-/_}"
  ) >"$log" 2>&1
  status=$?
  set -e
  if [[ $status -ne 0 ]]; then
    tail -n 40 "$log" >&2
    echo "error: $lib did not build; the whole log is $log" >&2
    exit 1
  fi
  seconds=$(($(date +%s) - start))
  echo "$seconds" >"$dir/stamps/$lib"
  echo "${fetched[-1]}" >"$dir/stamps/$lib.version"
  times+=("$(printf '%-14s %5s' "$lib" "${seconds}s")")
  echo "   built in ${seconds}s"
  rm -rf "${source_dir[$lib]}"
done
total=$(($(date +%s) - total_start))

{
  for t in "${times[@]}"; do echo "$t"; done
  printf '%-14s %5s\n' total "${total}s"
} >"$dir/build-times.txt"
echo "Build times:"
cat "$dir/build-times.txt"

if [[ ${#failed[@]} -gt 0 ]]; then
  echo "Not built: ${failed[*]}. The folder is left incomplete: $dir" >&2
  exit 1
fi

finish_prefix

for lib in "${order[@]}"; do cat "$dir/stamps/$lib.version"; done >"$dir/versions.txt"
rm -rf "$dir/build"
# Written last: the folder is whole.
date -u +%FT%TZ >"$dir/complete"
echo "ZENTRIFA_DEPS_PREFIX=$prefix"
