# The Windows target of scripts/deps-from-source.sh, sourced by it: 64-bit Windows with MinGW-w64
# (posix threads). Its hash, with the toolchain file's, is part of the cache folder's key.
#
# The Windows libraries are DLLs: the game's exe and the cross-built test programs share one set,
# and the LGPL libraries (cairo, mpg123) stay replaceable by the player, as their licence asks of a
# shipped program. GCC's runtime is linked into each DLL; libwinpthread-1.dll is copied beside them.

triplet=x86_64-w64-mingw32
toolchain="$here/cmake/toolchains/mingw-w64-x86_64.cmake"
target_key_files=("$toolchain")

compilers_id() {
  "$triplet-gcc-posix" --version | head -n1
  "$triplet-g++-posix" --version | head -n1
  dpkg-query -W -f='${Package} ${Version}\n' mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
}

# The compilers and tools for every library's build, once the prefix is known.
setup_build() {
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
  meson_cross_file
}

configure_cross() {
  env "${autotools_env[@]}" ./configure --host="$triplet" --prefix="$prefix" \
    --enable-shared --disable-static "$@"
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


# The prefix made whole: the threads runtime GCC's posix flavour links every program and DLL with;
# the libraries' own command-line tools are not shipped.
finish_prefix() {
  cp "/usr/$triplet/lib/libwinpthread-1.dll" "$prefix/bin/"
  rm -f "$prefix/bin/"*.exe
}
