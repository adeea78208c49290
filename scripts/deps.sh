#!/usr/bin/env bash
# Makes sure the Debian packages the game needs to build, run and test are installed.
# As root it installs what is missing; otherwise it prints the one apt-get line to run.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libmpg123-dev
  libcairo2-dev libjpeg-dev libpng-dev libfontconfig-dev libx11-dev
  fonts-ipafont-gothic unicode-data
  # The simplified Chinese and Korean faces, cut down at build time to their texts.
  fonts-noto-cjk python3-fonttools
  libmp3lame-dev espeak-ng libespeak-ng-dev
  libgtest-dev libbenchmark-dev
  libunibreak-dev # only the test of the game's line breaking links it
)
for option in "$@"; do
  case "$option" in
    --test | --windows | --web) ;;
    *)
      echo "usage: $0 [--test] [--windows] [--web]" >&2
      exit 2
      ;;
  esac
done
# The test command also checks the style (clang-format, clang-tidy), builds with clang, packs the
# .deb and validates the desktop files.
if [[ " $* " == *" --test "* ]]; then
  PACKAGES+=(clang-tidy clang-format clang dpkg-dev file desktop-file-utils appstream man-db)
  # Its builds compile through ccache (scripts/lib/ccache.sh).
  PACKAGES+=(ccache)
  # The fuzz targets: libFuzzer and the sanitizers' runtimes for clang.
  PACKAGES+=(libclang-rt-14-dev)
  # The real window: an X server of its own, xdotool's mouse and keys, xwininfo, a window manager.
  PACKAGES+=(xvfb xdotool x11-utils openbox)
fi
# The Windows libraries, cross-built from Debian's sources (scripts/deps-from-source.sh windows):
# MinGW-w64 with posix threads, the libraries' own build tools, and apt's source tools.
if [[ " $* " == *" --windows "* ]]; then
  PACKAGES+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    binutils-mingw-w64-x86-64 meson ninja-build nasm dpkg-dev xz-utils bzip2 debian-archive-keyring)
  # The game's tests run under Wine; the installer is made with NSIS.
  PACKAGES+=(wine64 nsis)
fi
# The browser's libraries, built from Debian's sources with Emscripten (scripts/deps-from-source.sh
# web), and the page's tests: Chromium driven from Node.
if [[ " $* " == *" --web "* ]]; then
  # autotools-dev: a config.sub that knows wasm32-unknown-emscripten, for the older configure scripts.
  PACKAGES+=(emscripten meson ninja-build dpkg-dev xz-utils bzip2 debian-archive-keyring chromium
    autotools-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Wait for another package manager run to finish rather than failing on its lock.
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "These Debian packages are missing. Install them with:"
  echo "  sudo apt-get install -y ${missing[*]}"
  exit 1
fi
