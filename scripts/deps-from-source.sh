#!/usr/bin/env bash
# Builds the libraries the game links for another system, from Debian's own source packages, at the
# versions the Linux build uses, into a cache folder outside the tree:
#
#   scripts/deps-from-source.sh windows     64-bit Windows with MinGW-w64 (posix threads)
#
# The folder is ${ZENTRIFA_DEPS_CACHE:-~/.cache/zentrifa-deps}/<target>-<key>/, where the key is a
# hash of the target, the library versions, the compilers' versions and this script (with the
# toolchain file). A folder whose build finished holds a marker written last and is reused as it
# is; a folder left half-built goes on from the first library not yet installed. The last line
# printed is ZENTRIFA_DEPS_PREFIX=<folder>/prefix, to pass to CMake with the toolchain file.
#
# Sources come only from Debian's archive, through a private apt configuration (its own sources
# folder with a deb-src copy of this system's Debian entry, its own lists and cache): the system's
# apt configuration and package lists are left as they are.
#
# The Windows libraries are DLLs: the game's exe and the cross-built test programs share one set,
# and the LGPL libraries (cairo, mpg123) stay replaceable by the player, as their licence asks of a
# shipped program. GCC's runtime is linked into each DLL; libwinpthread-1.dll is copied beside them.
set -euo pipefail

usage() {
  echo "usage: $0 windows" >&2
  exit 2
}
[[ $# -eq 1 ]] || usage
target=$1
case "$target" in
  windows) ;;
  web)
    echo "The browser's libraries are not built by this script yet." >&2
    exit 2
    ;;
  *) usage ;;
esac

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
self="$here/scripts/deps-from-source.sh"
toolchain="$here/cmake/toolchains/mingw-w64-x86_64.cmake"
cache_root=${ZENTRIFA_DEPS_CACHE:-$HOME/.cache/zentrifa-deps}
jobs=${ZENTRIFA_DEPS_JOBS:-2}
triplet=x86_64-w64-mingw32

# ---------------------------------------------------------------------------------------------
# Build machine packages
# ---------------------------------------------------------------------------------------------
"$here/scripts/deps.sh" --windows

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
compilers_id() {
  "$triplet-gcc-posix" --version | head -n1
  "$triplet-g++-posix" --version | head -n1
  dpkg-query -W -f='${Package} ${Version}\n' mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
}
key=$(
  {
    echo "target $target"
    for lib in "${order[@]}"; do echo "$lib ${source_of[$lib]} ${want_version[$lib]}"; done
    compilers_id
    sha256sum "$self" "$toolchain" | cut -d' ' -f1
    # A library's source carried in the tree (see fetch_one).
    if [[ -d "$here/third_party" ]]; then
      (cd "$here/third_party" && find . -type f -print0 | sort -z | xargs -0r sha256sum)
    fi
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
  # A release's source carried in the tree, for a library whose Debian source the archive lost.
  if [[ -d "$here/third_party/$lib" ]]; then
    rm -rf "$dir/build/$lib"
    mkdir -p "$dir/build"
    cp -a "$here/third_party/$lib" "$dir/build/$lib"
    source_dir[$lib]="$dir/build/$lib"
    fetched+=("$lib $upstream (from the tree's third_party/$lib: no Debian source in the archive)")
    echo "warning: $src $want: no Debian source in the archive; building third_party/$lib" >&2
    return 0
  fi
  return 1
}

# ---------------------------------------------------------------------------------------------
# Cross-building
# ---------------------------------------------------------------------------------------------
export PKG_CONFIG=pkg-config
export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
export PKG_CONFIG_PATH=""
unset PKG_CONFIG_SYSROOT_DIR
cc="$triplet-gcc-posix"
cxx="$triplet-g++-posix"
# Debian builds with -O2; the same here (the hardening flags change no output and would pull in
# libssp).
cflags="-O2 -g0"

# libtool drops -static-libgcc from LDFLAGS when it links a DLL: it goes with the compiler.
autotools_env=(
  CC="$cc -static-libgcc" CXX="$cxx -static-libgcc -static-libstdc++" AR="$triplet-ar" RANLIB="$triplet-ranlib" STRIP="$triplet-strip"
  NM="$triplet-nm" DLLTOOL="$triplet-dlltool" OBJDUMP="$triplet-objdump"
  WINDRES="$triplet-windres" RC="$triplet-windres"
  CFLAGS="$cflags" CXXFLAGS="$cflags" CPPFLAGS="-I$prefix/include"
  LDFLAGS="-L$prefix/lib -static-libgcc"
)
configure_cross() {
  env "${autotools_env[@]}" ./configure --host="$triplet" --prefix="$prefix" \
    --enable-shared --disable-static "$@"
}
make_install() {
  make -j"$jobs"
  make install
}

# (A relative CMAKE_INSTALL_*DIR given here would be taken from the current folder, not the prefix.)
cmake_cross() { # source folder, build folder, options...
  local src=$1 build=$2
  shift 2
  cmake -S "$src" -B "$build" -G Ninja --toolchain "$toolchain" \
    -DZENTRIFA_DEPS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$cflags -DNDEBUG" \
    -DCMAKE_CXX_FLAGS_RELEASE="$cflags -DNDEBUG" -DBUILD_SHARED_LIBS=ON "$@"
  cmake --build "$build" -j"$jobs"
  cmake --install "$build"
}

meson_cross_file() {
  cat >"$dir/build/meson-cross.txt" <<EOF
[binaries]
c = '$cc'
cpp = '$cxx'
ar = '$triplet-ar'
strip = '$triplet-strip'
windres = '$triplet-windres'
pkg-config = 'pkg-config'

[properties]
pkg_config_libdir = ['$prefix/lib/pkgconfig']

[built-in options]
c_args = ['-I$prefix/include']
cpp_args = ['-I$prefix/include']
c_link_args = ['-L$prefix/lib', '-static-libgcc']
cpp_link_args = ['-L$prefix/lib', '-static-libgcc', '-static-libstdc++']

[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
EOF
}
meson_cross() { # options...
  meson setup build-cross --cross-file "$dir/build/meson-cross.txt" --prefix "$prefix" \
    --libdir lib --buildtype plain -Doptimization=2 -Ddebug=false -Ddefault_library=shared "$@"
  meson compile -C build-cross -j "$jobs"
  meson install -C build-cross --quiet
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

build_zlib() {
  # Debian's source drops the win32 folder, whose resource file zlib's CMake build needs.
  mkdir -p win32
  [[ -f win32/zlib1.rc ]] || cat >win32/zlib1.rc <<'EOF'
#include <winver.h>
VS_VERSION_INFO VERSIONINFO
FILEVERSION 1,2,13,0
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904E4"
    BEGIN
      VALUE "FileDescription", "zlib data compression library\0"
      VALUE "FileVersion", "1.2.13\0"
      VALUE "OriginalFilename", "zlib1.dll\0"
    END
  END
END
EOF
  cmake_cross . build-cross -DZLIB_BUILD_EXAMPLES=OFF -DINSTALL_PKGCONFIG_DIR="$prefix/lib/pkgconfig"
  # Its import library is named after the target (libzlib.dll.a), zlib.pc says -lz.
  cp "$prefix/lib/libzlib.dll.a" "$prefix/lib/libz.dll.a"
  rm -f "$prefix/lib/libzlibstatic.a"
}

build_libpng() {
  settle_autotools
  configure_cross --disable-tools
  make_install
}

build_freetype() {
  # Debian's options, less brotli (only WOFF2 web fonts use it); Debian's patches to ftoption.h
  # (subpixel rendering and the rest) are in the unpacked source.
  configure_cross --without-bzip2 --without-harfbuzz --without-brotli --with-zlib --with-png
  make_install
}

build_harfbuzz() {
  # The unicode functions HarfBuzz uses by default are its own (UCD), with or without glib and
  # ICU, so leaving those out changes no shaping.
  meson_cross -Dglib=disabled -Dgobject=disabled -Dcairo=disabled -Dchafa=disabled \
    -Dicu=disabled -Dgraphite=disabled -Dgraphite2=disabled -Dfreetype=enabled -Dgdi=disabled \
    -Ddirectwrite=disabled -Dtests=disabled -Dintrospection=disabled -Ddocs=disabled \
    -Dbenchmark=disabled
}

build_pixman() {
  meson_cross -Dgtk=disabled -Dlibpng=disabled -Dtests=disabled \
    -Dopenmp=disabled
}

build_cairo() {
  # Its configure turns on _FORTIFY_SOURCE, whose checks MinGW-w64 takes from libssp-0.dll: one
  # more DLL for checks that change nothing drawn.
  # shellcheck disable=SC2016
  sed -i 's/^MAYBE_WARN="\$MAYBE_WARN -Wp,-D_FORTIFY_SOURCE=2"$/:/' configure
  settle_autotools
  configure_cross --enable-win32 --enable-win32-font --enable-png --enable-pdf --enable-ps \
    --enable-svg --disable-xlib --disable-xcb --disable-gl --disable-ft --disable-fc \
    --disable-gtk-doc --disable-trace --disable-interpreter --disable-full-testing
  # Only the library (and its pkg-config files); the tests and tools are not needed.
  make -C src -j"$jobs"
  make -C src install
}

build_libjpeg_turbo() {
  cmake_cross . build-cross -DENABLE_STATIC=OFF -DENABLE_SHARED=ON -DWITH_SIMD=ON -DWITH_TURBOJPEG=ON \
    -DCMAKE_INSTALL_LIBDIR="$prefix/lib"
}

build_SDL2() {
  cmake_cross . build-cross -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF -DSDL2_DISABLE_SDL2MAIN=OFF \
    -DSDL_CCACHE=OFF
}

build_mpg123() {
  settle_autotools
  # Debian's options on amd64 (the default CPU choice: optimised decoders picked at run time).
  configure_cross --enable-lfs-alias --enable-modules=no --enable-network=no \
    --with-default-audio=dummy --with-audio=dummy
  make_install
}

build_SDL2_ttf() {
  # As Debian's: shaping with HarfBuzz, the system FreeType and HarfBuzz rather than copies.
  cmake_cross . build-cross -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF
}

build_SDL2_mixer() {
  # MP3 through libmpg123 linked in, as Debian's; WAV built in. The game plays nothing else.
  cmake_cross . build-cross -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF \
    -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_MPG123=ON -DSDL2MIXER_MP3_DRMP3=OFF -DSDL2MIXER_MP3_MPG123_SHARED=OFF \
    -DSDL2MIXER_WAVE=ON -DSDL2MIXER_VORBIS= -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_FLAC=OFF \
    -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_CMD=OFF
}

mkdir -p "$dir/build"
meson_cross_file
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
    echo "error: no Debian source of ${source_of[$lib]} ${want_version[$lib]} can be had from the archive" \
      "(a copy of that release's source in third_party/$lib would be built instead)" >&2
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

# The threads runtime that GCC's posix flavour links every program and DLL with.
cp "/usr/$triplet/lib/libwinpthread-1.dll" "$prefix/bin/"
# The libraries' own command-line tools are not shipped.
rm -f "$prefix/bin/"*.exe

for lib in "${order[@]}"; do cat "$dir/stamps/$lib.version"; done >"$dir/versions.txt"
rm -rf "$dir/build"
# Written last: the folder is whole.
date -u +%FT%TZ >"$dir/complete"
echo "ZENTRIFA_DEPS_PREFIX=$prefix"
