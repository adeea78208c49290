# Builds for the browser (WebAssembly) with Debian's Emscripten.
#
#   cmake -S . -B build-web --toolchain cmake/toolchains/emscripten.cmake \
#         -DZENTRIFA_DEPS_PREFIX=<folder printed by scripts/deps-from-source.sh web>
#
# Used instead of `emcmake cmake`: emcmake puts Emscripten's system-library folder first on PATH,
# whose sdl2-config answers "-s USE_SDL=2", the Emscripten port of SDL2, which Debian's frozen cache
# cannot build. Here every library comes from ZENTRIFA_DEPS_PREFIX: its lib/pkgconfig is the only
# place pkg-config looks, and find_* searches it before Emscripten's own system root.
#
# An optimised link (-O2) runs Node for emcc's JavaScript passes, which need Debian's Node modules
# in /usr/share/nodejs, a folder the installed Node does not search: NODE_PATH names it, for the
# checks run here and, through the linker launcher, for every link of the build.

set(ZENTRIFA_EMSCRIPTEN_ROOT /usr/share/emscripten CACHE PATH "Emscripten's installed folder")

# The programs built here run under Node. Node's built-in fetch breaks the loader of Emscripten
# 3.1.6, which then cannot read the .wasm file beside the .js.
find_program(ZENTRIFA_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${ZENTRIFA_NODE};--no-experimental-fetch")

include(${ZENTRIFA_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)

set(ZENTRIFA_NODE_PATH /usr/share/nodejs CACHE PATH "Debian's Node modules, which emcc's passes use")
set(ENV{NODE_PATH} "${ZENTRIFA_NODE_PATH}")
set(CMAKE_C_LINKER_LAUNCHER env "NODE_PATH=${ZENTRIFA_NODE_PATH}")
set(CMAKE_CXX_LINKER_LAUNCHER env "NODE_PATH=${ZENTRIFA_NODE_PATH}")

# The toolchain file is read again for every try_compile: keep the prefix in the cache and pass it on.
if(NOT ZENTRIFA_DEPS_PREFIX AND DEFINED ENV{ZENTRIFA_DEPS_PREFIX})
  set(ZENTRIFA_DEPS_PREFIX "$ENV{ZENTRIFA_DEPS_PREFIX}")
endif()
set(ZENTRIFA_DEPS_PREFIX "${ZENTRIFA_DEPS_PREFIX}" CACHE PATH "Libraries built for the browser")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZENTRIFA_DEPS_PREFIX ZENTRIFA_EMSCRIPTEN_ROOT)

if(ZENTRIFA_DEPS_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${ZENTRIFA_DEPS_PREFIX}")
  set(ENV{PKG_CONFIG_LIBDIR} "${ZENTRIFA_DEPS_PREFIX}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
  unset(ENV{PKG_CONFIG_SYSROOT_DIR})
endif()
