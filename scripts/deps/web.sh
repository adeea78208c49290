# shellcheck shell=bash disable=SC2034,SC2154  # (here, prefix, dir, jobs: the driver's; target_key_files: read by it)
# The browser target of scripts/deps-from-source.sh, sourced by it: WebAssembly with Debian's
# Emscripten. Its hash, with the toolchain file's, is part of the cache folder's key.
#
# Every library is a static archive (.a) of wasm objects, with its headers and pkg-config file; the
# game links them into its one .wasm. In the pkg-config files each library is named by its full
# path, never by -lNAME: emcc turns some names (-lSDL2_mixer) into its own "ports", which it would
# download and build, and Debian's frozen cache cannot. For the same reason nothing here runs
# through emconfigure or emcmake: they put Emscripten's system folder first on PATH, where
# sdl2-config answers "-s USE_SDL=2". No threads anywhere (no -pthread): a page with threads needs
# cross-origin isolation, and the game has one thread.
#
# Emscripten's system libraries come from Debian's prebuilt cache, which is frozen: emcc reads it
# and never writes it (it neither locks nor builds into it), so it needs no writable copy.

toolchain="$here/cmake/toolchains/emscripten.cmake"
target_key_files=("$toolchain")
host=wasm32-unknown-emscripten

compilers_id() {
  emcc --version | head -n1
  emcc -v 2>&1 | grep -m1 'clang version'
  # The LLVM tools emcc calls are those of the version its configuration names (clang-14 ...).
  local llvm
  llvm=$(em-config LLVM_ADD_VERSION)
  dpkg-query -W -f='${Package} ${Version}\n' emscripten binaryen "clang-$llvm" "lld-$llvm" "llvm-$llvm"
}

# The compilers and tools for every library's build, once the prefix is known.
setup_build() {
  # An optimised link (-O2, as in the configure checks) runs emcc's JavaScript passes in Node,
  # which need Debian's Node modules (acorn), in a folder Node does not search by itself.
  export NODE_PATH=/usr/share/nodejs
  export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
  export PKG_CONFIG_PATH=""
  unset PKG_CONFIG_SYSROOT_DIR EM_PKG_CONFIG_PATH EM_PKG_CONFIG_LIBDIR
  # Debian builds with -O2; the same here.
  cflags="-O2 -g0"

  # The libraries are static: a configure check that links must name their own dependencies too
  # (libpng needs zlib), hence pkg-config --static.
  autotools_env=(
    CC=emcc CXX=em++ AR=emar RANLIB=emranlib NM=emnm STRIP=true
    PKG_CONFIG="pkg-config --static"
    CFLAGS="$cflags" CXXFLAGS="$cflags" CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib"
  )
  meson_cross_file
}

# Autotools sources here date from before wasm32-unknown-emscripten was a known host: their
# config.sub goes, replaced by Debian's current one.
update_config_sub() {
  local newer=/usr/share/misc/config.sub
  if [[ ! -f "$newer" ]]; then
    echo "$newer is missing: install autotools-dev (scripts/deps.sh --web)" >&2
    return 1
  fi
  find . -name config.sub -exec cp "$newer" {} \;
}

configure_web() {
  update_config_sub
  env "${autotools_env[@]}" ./configure --host="$host" --prefix="$prefix" \
    --enable-static --disable-shared "$@"
}

# The libraries alone: the programs of an autotools package are of no use here, and each costs an
# optimised link.
make_install_libraries() {
  make -j"$jobs" bin_PROGRAMS=
  make bin_PROGRAMS= install
}

# A literal replacement in a source file that must take place: a source that no longer holds
# the text fails the build here rather than later and less clearly.
replace_in() { # file, old text, new text
  local file=$1 old=$2 new=$3
  grep -qF -- "$old" "$file" || { echo "$file no longer holds: $old" >&2; return 1; }
  OLD=$old NEW=$new perl -0pi -e 's/\Q$ENV{OLD}\E/$ENV{NEW}/g' "$file"
}

# (A relative CMAKE_INSTALL_*DIR given here would be taken from the current folder, not the prefix.)
cmake_web() { # source folder, build folder, options...
  local src=$1 build=$2
  shift 2
  cmake -S "$src" -B "$build" -G Ninja --toolchain "$toolchain" \
    -DZENTRIFA_DEPS_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPKG_CONFIG_ARGN=--static -DCMAKE_POSITION_INDEPENDENT_CODE=OFF \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS_RELEASE="$cflags -DNDEBUG" \
    -DCMAKE_CXX_FLAGS_RELEASE="$cflags -DNDEBUG" -DBUILD_SHARED_LIBS=OFF "$@"
  cmake --build "$build" -j"$jobs"
  cmake --install "$build"
}

meson_cross_file() {
  cat >"$dir/build/meson-cross.txt" <<EOF
[binaries]
c = 'emcc'
cpp = 'em++'
ar = 'emar'
ranlib = 'emranlib'
pkgconfig = 'pkg-config'

[properties]
pkg_config_libdir = ['$prefix/lib/pkgconfig']

[built-in options]
c_args = ['-I$prefix/include']
cpp_args = ['-I$prefix/include']
c_link_args = ['-L$prefix/lib']
cpp_link_args = ['-L$prefix/lib']

[host_machine]
system = 'emscripten'
cpu_family = 'wasm32'
cpu = 'wasm32'
endian = 'little'
EOF
}
meson_web() { # options...
  meson setup build-web --cross-file "$dir/build/meson-cross.txt" --prefix "$prefix" \
    --libdir lib --buildtype plain -Doptimization=2 -Ddebug=false -Ddefault_library=static \
    -Dprefer_static=true "$@"
  meson compile -C build-web -j "$jobs"
  meson install -C build-web --quiet
}

# Meson gives every target that uses dependency('threads') the flag -pthread, which makes its
# objects unusable in a program without threads. The build here has one thread: no such dependency.
drop_threads_dependency() { # meson.build, the dependency's line
  replace_in "$1" "$2" "${2%%=*}= dependency('', required : false)"
}

build_zlib() {
  # Its own configure, which makes the static library alone with --static.
  env CC=emcc AR=emar RANLIB=emranlib CFLAGS="$cflags" ./configure --static --prefix="$prefix"
  make -j"$jobs" libz.a
  make install
}

build_libpng() {
  settle_autotools
  configure_web --disable-hardware-optimizations
  make_install_libraries
}

build_freetype() {
  # Debian's options, less brotli (only WOFF2 web fonts use it), bzip2 and HarfBuzz (a loop the
  # text of the game does not need: SDL2_ttf shapes with HarfBuzz itself); Debian's patches to
  # ftoption.h (subpixel rendering and the rest) are in the unpacked source.
  configure_web --without-bzip2 --without-harfbuzz --without-brotli --with-zlib --with-png
  make_install
}

build_harfbuzz() {
  drop_threads_dependency meson.build "  thread_dep = dependency('threads', required: false)"
  # The unicode functions HarfBuzz uses by default are its own (UCD), with or without glib and
  # ICU, so leaving those out changes no shaping. HB_NO_MT: one thread, no locks.
  meson_web -Dglib=disabled -Dgobject=disabled -Dcairo=disabled -Dchafa=disabled \
    -Dicu=disabled -Dgraphite=disabled -Dgraphite2=disabled -Dfreetype=enabled -Dgdi=disabled \
    -Ddirectwrite=disabled -Dcoretext=disabled -Dtests=disabled -Dintrospection=disabled \
    -Ddocs=disabled -Dbenchmark=disabled \
    -Dcpp_args="-I$prefix/include -DHB_NO_MT"
}

build_pixman() {
  drop_threads_dependency meson.build "dep_threads = dependency('threads')"
  # The generic C paths: wasm has none of these instruction sets, nor inline assembly.
  meson_web -Dgtk=disabled -Dlibpng=disabled -Dtests=disabled -Dopenmp=disabled \
    -Dloongson-mmi=disabled -Dmmx=disabled -Dsse2=disabled -Dssse3=disabled -Dvmx=disabled \
    -Darm-simd=disabled -Dneon=disabled -Da64-neon=disabled -Diwmmxt=disabled \
    -Dmips-dspr2=disabled -Dgnu-inline-asm=disabled
}

build_cairo() {
  # Cairo's curve code hands two-argument line_to functions to the spline decomposer, cast to its
  # three-argument callback type. Native calls ignore the extra argument; WebAssembly checks the
  # signature of every indirect call and traps ("function signature mismatch") on the first
  # ellipse. Each such call site gets a three-argument function of its own that calls the
  # two-argument one, so the game needs no emulation of pointer casts (which slows every call).
  patch -p1 --forward <<'EOF'
--- a/src/cairo-path-fill.c
+++ b/src/cairo-path-fill.c
@@ -69,6 +69,15 @@
     return status;
 }
 
+/* The spline decomposer passes the tangent too. */
+static cairo_status_t
+_cairo_filler_spline_to (void *closure,
+			 const cairo_point_t *point,
+			 const cairo_slope_t *tangent)
+{
+    return _cairo_filler_line_to (closure, point);
+}
+
 static cairo_status_t
 _cairo_filler_close (void *closure)
 {
@@ -113,7 +122,7 @@
     }
 
     if (! _cairo_spline_init (&spline,
-			      (cairo_spline_add_point_func_t)_cairo_filler_line_to, filler,
+			      _cairo_filler_spline_to, filler,
 			      &filler->current_point, p1, p2, p3))
     {
 	return _cairo_filler_line_to (closure, p3);
--- a/src/cairo-path-fixed.c
+++ b/src/cairo-path-fixed.c
@@ -1134,6 +1134,18 @@
     return cpf->line_to (cpf->closure, point);
 }
 
+/* The spline decomposer passes the tangent too; the points go to the caller's line_to as they
+ * are, without moving the current point (the curve's end sets it). */
+static cairo_status_t
+_cpf_spline_to (void *closure,
+		const cairo_point_t *point,
+		const cairo_slope_t *tangent)
+{
+    cpf_t *cpf = closure;
+
+    return cpf->line_to (cpf->closure, point);
+}
+
 static cairo_status_t
 _cpf_curve_to (void		*closure,
 	       const cairo_point_t	*p1,
@@ -1146,8 +1158,8 @@
     cairo_point_t *p0 = &cpf->current_point;
 
     if (! _cairo_spline_init (&spline,
-			      (cairo_spline_add_point_func_t)cpf->line_to,
-			      cpf->closure,
+			      _cpf_spline_to,
+			      cpf,
 			      p0, p1, p2, p3))
     {
 	return _cpf_line_to (closure, p3);
--- a/src/cairo-path-in-fill.c
+++ b/src/cairo-path-in-fill.c
@@ -183,6 +183,15 @@
     return CAIRO_STATUS_SUCCESS;
 }
 
+/* The spline decomposer passes the tangent too. */
+static cairo_status_t
+_cairo_in_fill_spline_to (void *closure,
+			  const cairo_point_t *point,
+			  const cairo_slope_t *tangent)
+{
+    return _cairo_in_fill_line_to (closure, point);
+}
+
 static cairo_status_t
 _cairo_in_fill_curve_to (void *closure,
 			 const cairo_point_t *b,
@@ -217,7 +226,7 @@
 
     /* XXX Investigate direct inspection of the inflections? */
     if (! _cairo_spline_init (&spline,
-			      (cairo_spline_add_point_func_t)_cairo_in_fill_line_to,
+			      _cairo_in_fill_spline_to,
 			      in_fill,
 			      &in_fill->current_point, b, c, d))
     {
--- a/src/cairo-path-stroke-traps.c
+++ b/src/cairo-path-stroke-traps.c
@@ -931,6 +931,15 @@
     return CAIRO_STATUS_SUCCESS;
 }
 
+/* The spline decomposer passes the tangent too. */
+static cairo_status_t
+spline_to_dashed (void *closure,
+		  const cairo_point_t *point,
+		  const cairo_slope_t *tangent)
+{
+    return line_to_dashed (closure, point);
+}
+
 static cairo_status_t
 spline_to (void *closure,
 	   const cairo_point_t *point,
@@ -1043,7 +1052,7 @@
     cairo_spline_add_point_func_t func;
     cairo_status_t status;
 
-    func = (cairo_spline_add_point_func_t)line_to_dashed;
+    func = spline_to_dashed;
 
     if (stroker->has_bounds &&
 	! _cairo_spline_intersects (&stroker->current_face.point, b, c, d,
--- a/src/cairo-path-stroke.c
+++ b/src/cairo-path-stroke.c
@@ -995,6 +995,15 @@
     return CAIRO_STATUS_SUCCESS;
 }
 
+/* The spline decomposer passes the tangent too. */
+static cairo_status_t
+_cairo_stroker_line_to_with_tangent (void *closure,
+				     const cairo_point_t *point,
+				     const cairo_slope_t *tangent)
+{
+    return _cairo_stroker_line_to (closure, point);
+}
+
 static cairo_status_t
 _cairo_stroker_spline_to (void *closure,
 			  const cairo_point_t *point,
@@ -1225,6 +1234,15 @@
     return CAIRO_STATUS_SUCCESS;
 }
 
+/* The spline decomposer passes the tangent too. */
+static cairo_status_t
+_cairo_stroker_spline_to_dashed (void *closure,
+				 const cairo_point_t *point,
+				 const cairo_slope_t *tangent)
+{
+    return _cairo_stroker_line_to_dashed (closure, point);
+}
+
 static cairo_status_t
 _cairo_stroker_curve_to (void *closure,
 			 const cairo_point_t *b,
@@ -1241,13 +1259,13 @@
     cairo_status_t status = CAIRO_STATUS_SUCCESS;
 
     line_to = stroker->dash.dashed ?
-	(cairo_spline_add_point_func_t) _cairo_stroker_line_to_dashed :
-	(cairo_spline_add_point_func_t) _cairo_stroker_line_to;
+	_cairo_stroker_spline_to_dashed :
+	_cairo_stroker_line_to_with_tangent;
 
     /* spline_to is only capable of rendering non-degenerate splines. */
     spline_to = stroker->dash.dashed ?
-	(cairo_spline_add_point_func_t) _cairo_stroker_line_to_dashed :
-	(cairo_spline_add_point_func_t) _cairo_stroker_spline_to;
+	_cairo_stroker_spline_to_dashed :
+	_cairo_stroker_spline_to;
 
     if (! _cairo_spline_init (&spline,
 			      spline_to,
EOF
  # No cast of a function to the spline callback type may be left.
  if grep -n '(cairo_spline_add_point_func_t)' src/*.c; then
    echo "cairo still casts a function to the spline callback type" >&2
    return 1
  fi
  settle_autotools
  # Its configure cannot run a program to learn how doubles are stored; wasm is little-endian.
  # Without threads cairo wants CAIRO_NO_MUTEX said out loud.
  autotools_env+=(ax_cv_c_float_words_bigendian=no CPPFLAGS="-I$prefix/include -DCAIRO_NO_MUTEX=1")
  # The image backend and PNG only: the game draws into its own pixels.
  configure_web --enable-png --disable-pthread --disable-xlib --disable-xlib-xrender \
    --disable-xcb --disable-xcb-shm --disable-gl --disable-glesv2 --disable-glesv3 --disable-egl \
    --disable-glx --disable-ft --disable-fc --disable-pdf --disable-ps --disable-svg \
    --disable-script --disable-interpreter --disable-trace --disable-gobject \
    --disable-symbol-lookup --disable-valgrind --disable-gtk-doc --disable-full-testing
  # Only the library (and its pkg-config files); the tests and tools are not needed.
  make -C src -j"$jobs"
  make -C src install
}

build_libjpeg_turbo() {
  # The libjpeg interface only (the game calls no TurboJPEG function); its SIMD code is x86 and
  # ARM assembly, which wasm cannot use.
  cmake_web . build-web -DENABLE_STATIC=ON -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
    -DCMAKE_INSTALL_LIBDIR="$prefix/lib"
}

build_SDL2() {
  # Emscripten's own video (a canvas), audio (Web Audio) and joystick (the Gamepad API) backends,
  # without threads.
  cmake_web . build-web -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_THREADS=OFF \
    -DSDL_PTHREADS=OFF -DSDL_CCACHE=OFF
}

build_mpg123() {
  settle_autotools
  # The generic C decoder (floating point): no assembly for wasm.
  configure_web --with-cpu=generic_fpu --enable-modules=no --enable-network=no \
    --with-default-audio=dummy --with-audio=dummy
  make_install_libraries
}

# SDL2_ttf and SDL2_mixer write a pkg-config file only for a shared library: the same file for the
# static one. Version from the header.
write_sdl_pc() { # name, header, version macro prefix, description, private requirements
  local name=$1 header=$2 macro=$3 description=$4 requires=$5 version part
  version=""
  for part in MAJOR_VERSION MINOR_VERSION PATCHLEVEL; do
    version+="${version:+.}$(sed -n "s/^#define ${macro}_$part *\([0-9]*\).*/\1/p" "$header")"
  done
  cat >"$prefix/lib/pkgconfig/$name.pc" <<EOF
prefix=$prefix
exec_prefix=\${prefix}
libdir=\${exec_prefix}/lib
includedir=\${prefix}/include

Name: $name
Description: $description
Version: $version
Requires: sdl2
Requires.private: $requires
Libs: -L\${libdir} -l$name
Cflags: -I\${includedir}/SDL2
EOF
}

build_SDL2_ttf() {
  # As Debian's: shaping with HarfBuzz, the FreeType and HarfBuzz built here rather than copies.
  cmake_web . build-web -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF
  write_sdl_pc SDL2_ttf SDL_ttf.h SDL_TTF "TrueType fonts for SDL, shaped with HarfBuzz" "freetype2 harfbuzz"
}

build_SDL2_mixer() {
  # MP3 through libmpg123 linked in, as Debian's; WAV built in. The game plays nothing else.
  cmake_web . build-web -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
    -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_MPG123=ON -DSDL2MIXER_MP3_DRMP3=OFF -DSDL2MIXER_MP3_MPG123_SHARED=OFF \
    -DSDL2MIXER_WAVE=ON -DSDL2MIXER_VORBIS= -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_FLAC=OFF \
    -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_CMD=OFF
  write_sdl_pc SDL2_mixer include/SDL_mixer.h SDL_MIXER "Sound mixing for SDL: WAV and MP3 (mpg123)" libmpg123
}

# The prefix made whole: each pkg-config file names its libraries by full path (see the top), and
# with its private requirements made public, as every library here is static: a plain
# `pkg-config --libs` (and CMake's pkg_check_modules) gives the whole link. The libraries' programs,
# manuals and libtool files go, and nothing may ask for threads or for one of emcc's ports.
finish_prefix() {
  local pc name
  for pc in "$prefix"/lib/pkgconfig/*.pc; do
    perl -0pi -e '
      for my $f ("Requires", "Libs") {
        next unless s/^\Q$f\E\.private:[ \t]*(.*)\n//m;
        my $private = $1;
        next unless $private =~ /\S/;
        if (/^\Q$f\E:/m) { s/^(\Q$f\E:.*)$/$1 $private/m } else { $_ .= "$f: $private\n" }
      }' "$pc"
    # -lNAME -> ${libdir}/libNAME.a, for each library the prefix holds; -L goes with it.
    while read -r name; do
      [[ -f "$prefix/lib/lib$name.a" ]] || continue
      NAME=$name perl -pi -e 's/(?<!\S)-l\Q$ENV{NAME}\E(?!\S)/\${libdir}\/lib$ENV{NAME}.a/g' "$pc"
    done < <(grep -oE '(^|[[:space:]])-l[A-Za-z0-9_+-]+' "$pc" | sed 's/^[[:space:]]*-l//' | sort -u)
    perl -pi -e 's/(?<!\S)-L\$\{libdir\}(?!\S)//g' "$pc"
  done
  rm -rf "$prefix/share/man" "$prefix/share/doc"
  rm -f "$prefix/bin/"*.js "$prefix/bin/"*.wasm "$prefix/lib/"*.la
  local bad
  bad=$(grep -rlE -- '-pthread|USE_SDL|USE_[A-Z_]+=|-sUSE' "$prefix/lib/pkgconfig" "$prefix/lib/cmake" \
    "$prefix/bin" 2>/dev/null || true)
  if [[ -n "$bad" ]]; then
    echo "These files ask for threads or for an Emscripten port:" >&2
    echo "$bad" >&2
    return 1
  fi
  local libs
  libs=$(pkg-config --libs sdl2 SDL2_ttf SDL2_mixer cairo libjpeg)
  if grep -qE '(^|[[:space:]])-l(SDL|png|z|freetype|harfbuzz|pixman|cairo|jpeg|mpg123)' <<<"$libs"; then
    echo "A pkg-config file still names one of the libraries by -l: $libs" >&2
    return 1
  fi
}
