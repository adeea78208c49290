# Cross-builds for 64-bit Windows with Debian's MinGW-w64, posix-threads flavour (its standard library
# has std::thread, std::mutex and std::filesystem).
#
#   cmake -S . -B build-windows --toolchain cmake/toolchains/mingw-w64-x86_64.cmake \
#         -DZENTRIFA_DEPS_PREFIX=<folder printed by scripts/deps-from-source.sh windows>
#
# ZENTRIFA_DEPS_PREFIX (or the environment variable of that name) is the folder holding the
# libraries built for Windows: its lib/pkgconfig is the only place pkg-config looks, and find_*
# searches it before the MinGW system root. Nothing of the build machine's own libraries is used.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZENTRIFA_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ZENTRIFA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENTRIFA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENTRIFA_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${ZENTRIFA_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${ZENTRIFA_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP ${ZENTRIFA_MINGW_TRIPLET}-strip CACHE FILEPATH "")

# The toolchain file is read again for every try_compile: keep the prefix in the cache and pass it on.
if(NOT ZENTRIFA_DEPS_PREFIX AND DEFINED ENV{ZENTRIFA_DEPS_PREFIX})
  set(ZENTRIFA_DEPS_PREFIX "$ENV{ZENTRIFA_DEPS_PREFIX}")
endif()
set(ZENTRIFA_DEPS_PREFIX "${ZENTRIFA_DEPS_PREFIX}" CACHE PATH "Libraries built for Windows")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZENTRIFA_DEPS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${ZENTRIFA_MINGW_TRIPLET})
if(ZENTRIFA_DEPS_PREFIX)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${ZENTRIFA_DEPS_PREFIX}")
  # The build machine's pkg-config, told to look only at the Windows libraries. (Debian's
  # x86_64-w64-mingw32-pkg-config wrapper overrides PKG_CONFIG_LIBDIR, so it is not used.)
  set(ENV{PKG_CONFIG_LIBDIR} "${ZENTRIFA_DEPS_PREFIX}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
  unset(ENV{PKG_CONFIG_SYSROOT_DIR})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime of GCC goes into each program and DLL, so none of them needs libgcc_s_seh-1.dll or
# libstdc++-6.dll beside it (libwinpthread-1.dll is shipped with the libraries).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# The programs built here run under Wine on the build machine (the tests, CTest's discovery of
# them, the golden recordings), with the libraries' DLLs on Wine's path.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run.sh ${ZENTRIFA_DEPS_PREFIX}/bin)
