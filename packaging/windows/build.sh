#!/usr/bin/env bash
# Cross-builds award-banner for Windows and packs it:
#   build-windows/award-banner-setup.exe    the installer
#   build-windows/award-banner-portable.zip the same folder, to unpack and run
# The dependencies come from the cache build-deps.sh keeps; a Linux build of
# the command in build/, when there, is what the Windows one is compared with.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/packaging/windows
build=$root/build-windows
. "$root/.ci/stage.sh"
eval "$(bash "$here/build-deps.sh" | grep '^AWARD_WIN_')"
# ccache, when there, makes a second build quick.
command -v ccache >/dev/null && : "${AWARD_WIN_LAUNCHER:=ccache}"

linux_command=$root/build/cli/award-banner-sketch
[ -x "$linux_command" ] || linux_command=
program() {
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$here/toolchain-mingw64.cmake" \
      -DAWARD_WIN_PREFIXES="$AWARD_WIN_QT;$AWARD_WIN_DEPS" \
      -DAWARD_WIN_QT="$AWARD_WIN_QT" -DAWARD_WIN_DEPS="$AWARD_WIN_DEPS" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DAWARD_BENCHMARKS=OFF \
      -DAWARD_LINUX_SKETCH_COMMAND="$linux_command" \
      ${AWARD_WIN_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER="$AWARD_WIN_LAUNCHER"}
  fi
  cmake --build "$build" -j"${AWARD_WIN_JOBS:-$(nproc)}"
}
stage "windows program" program

folder=$build/stage
installer() {
  rm -rf "$folder"
  cmake --install "$build" --prefix "$folder" --strip >/dev/null
  local version
  version=$(sed -n 's/^project(award-banner VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
  # The uninstaller removes exactly the files the installer put there.
  (cd "$folder" && find . -type f | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|') > "$build/installed-files.nsh"
  makensis -V2 -INPUTCHARSET UTF8 -DSTAGE="$folder" -DVERSION="$version" \
    -DOUTFILE="$build/award-banner-setup.exe" -DFILE_LIST="$build/installed-files.nsh" \
    -DSIZE_KB="$(du -sk "$folder" | cut -f1)" "$here/award-banner.nsi"
}
stage installer installer

portable_zip() {
  rm -f "$build/award-banner-portable.zip"
  rm -rf "$build/portable" && mkdir -p "$build/portable" && cp -r "$folder" "$build/portable/award-banner"
  (cd "$build/portable" && zip -qr9 "$build/award-banner-portable.zip" award-banner)
  rm -rf "$build/portable"
}
stage "portable zip" portable_zip
ls -l "$build/award-banner-setup.exe" "$build/award-banner-portable.zip"
