#!/usr/bin/env bash
# One entry point for a Debian 12 machine:
#   bash run.sh app    installs what is missing, builds, opens the window
#   bash run.sh test   installs what is missing, builds, runs every test, then
#                      runs those of the code that takes outside input again,
#                      built with AddressSanitizer and UndefinedBehaviorSanitizer
#   bash run.sh windows also builds the program for Windows (its dependencies
#                      once, into ~/.cache/award-banner/windows), makes the
#                      installer and a portable zip, and tests them under Wine
# Each is safe to repeat and quick once everything is in place, and prints the
# seconds of each stage and the total (.ci/stage.sh).
set -euo pipefail
cd "$(dirname "$0")"
. .ci/stage.sh

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev libgl-dev libfreetype-dev libfontconfig-dev
  fonts-arphic-uming fonts-arphic-ukai
  libgtest-dev libgmock-dev libbenchmark-dev
  gcc-avr avr-libc arduino-core-avr arduino-builder avrdude simavr libsimavr-dev
  qt6-serialport-dev qt6-translations-l10n
  libcsv-dev
  xvfb xauth x11-utils xdotool imagemagick desktop-file-utils
)

# What the Windows build needs besides: the cross compilers, Wine to test
# with, NSIS for the installer, and the tools that build Qt, FreeType and
# avrdude from Debian's sources.
windows_packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 nsis
  bison flex socat zip xz-utils patch dpkg-dev locales
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# ccache keeps what was compiled in ~/.cache/ccache, so that a fresh clone
# elsewhere on the same machine compiles only what changed: paths are taken
# relative to the checkout, and the build folder's own path is left out.
export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true

configure() {  # configure DIR [cmake options...]
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] && return
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
}

build() {  # build DIR [cmake options...]
  configure "$@"
  cmake --build "$1"
}

build_targets() {  # build_targets DIR TARGET...
  local dir=$1; shift
  configure "$dir" -DAWARD_WERROR=ON
  cmake --build "$dir" --target "$@"
}

# Three at a time on two cores: the window checks and the uploads to the
# simulated board spend much of their time waiting in real time.
run_tests() {  # run_tests DIR
  (cd "$1" && ctest --output-on-failure -j3)
}

# The sanitizers watch the code that takes outside input: the banner and
# program readers, the sketch reader, files, conversion, the board image and
# the command, through core_tests, reader_memory_tests, board_report_tests,
# command_input_tests and process_tests. The window's tests and the board
# simulations feed that code nothing the core tests do not, and run above;
# with them goes the window itself, which nothing here runs.
sanitizer_options=(-DAWARD_SANITIZE=ON -DAWARD_BENCHMARKS=OFF -DAWARD_WERROR=ON
  -DAWARD_BOARD_TESTS=OFF -DAWARD_WINDOW=OFF)
sanitizer_tests() {
  (cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 \
     LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp":print_suppressions=0 \
     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j2)
}

case "${1:-}" in
  app)
    stage packages install_missing
    stage build build build
    exec ./build/award-banner
    ;;
  test)
    stage packages install_missing
    stage build build build -DAWARD_WERROR=ON
    stage tests run_tests build
    stage "sanitizer build" build build-sanitize "${sanitizer_options[@]}"
    stage "sanitizer tests" sanitizer_tests
    ;;
  windows)
    packages+=("${windows_packages[@]}")
    stage "windows packages" install_missing
    # The Linux command, which the Windows one must match byte for byte, and
    # the simulated Mega the Windows command uploads to.
    stage "linux command" build_targets build award-banner-sketch upload_tests
    stage "windows dependencies" bash packaging/windows/build-deps.sh
    stage "windows build" bash packaging/windows/build.sh
    stage "checks under wine" bash packaging/windows/test-under-wine.sh
    ;;
  *)
    echo "usage: bash run.sh app|test|windows" >&2
    exit 2
    ;;
esac
