#!/usr/bin/env bash
# Builds the Windows dependencies (Qt, FreeType, avrdude) from Debian's own
# sources into a cache outside the source tree, once: each one's folder is
# named by a hash of its version, its build options, Debian's patches and the
# cross compilers, so a second run finds it and returns at once, and a change
# of any of them builds anew. Each build prints its seconds (.ci/stage.sh).
#   bash packaging/windows/build-deps.sh      prints the cache folder last
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../.ci/stage.sh"
toolchain=$here/toolchain-mingw64.cmake
cache=${AWARD_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/award-banner/windows}
jobs=${AWARD_WIN_JOBS:-$(nproc)}
mkdir -p "$cache/src"

key() { printf '%s' "$*" | sha256sum | cut -c1-12; }

# Debian's source packages, through an apt configuration of our own so that
# the machine's lists stay as they are.
apt_src() {
  local parts=$cache/apt/parts lists=$cache/apt/lists
  mkdir -p "$parts" "$lists/partial"
  if [ ! -f "$parts/src.sources" ]; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$parts/src.sources"
    else
      grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > "$parts/src.list"
    fi
  fi
  local opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$parts" -o "Dir::State::Lists=$lists")
  [ -n "$(ls -A "$lists" 2>/dev/null | grep -v partial)" ] || apt-get "${opts[@]}" update
  (cd "$cache/src" && apt-get "${opts[@]}" source --download-only "$@")
}

unpack() {  # unpack GLOB -> prints the folder it made
  local tarball dir
  tarball=$(ls "$cache"/src/$1 | head -1)
  [ -n "$tarball" ] || { echo "no source tarball $1 in $cache/src" >&2; return 1; }
  dir=$cache/src/unpacked/$(basename "$tarball")
  if [ ! -d "$dir" ]; then
    mkdir -p "$dir.tmp" && tar -xf "$tarball" -C "$dir.tmp" && mv "$dir.tmp" "$dir"
  fi
  echo "$dir/$(ls "$dir" | head -1)"
}

have() { ls "$cache"/src/$1 >/dev/null 2>&1; }
missing_sources() {
  have 'qt6-base_6.4.2*.orig.tar.*' && have 'qt6-base_6.4.2*.debian.tar.*' || echo qt6-base
  have 'freetype_2.12.1*.orig.tar.*' || echo freetype
  have 'libcsv_3.0.3*.orig.tar.*' || echo libcsv
  have 'avrdude_7.1*.orig.tar.*' || echo avrdude
}
fetch_sources() {
  local package
  for package in "$@"; do
    # The archive serves avrdude's orig tarball but not its debian one, which
    # makes apt report a failure after the part we need has arrived.
    apt_src "$package" || { [ "$package" = avrdude ] && have 'avrdude_7.1*.orig.tar.*'; }
  done
}
# Stages run outside a condition, where a failing command stops the script.
missing=$(missing_sources)
if [ -n "$missing" ]; then
  stage "windows sources" fetch_sources $missing
fi

# The cross compilers and the Windows headers and libraries they build
# against, by their Debian versions: an upgrade builds everything anew.
toolchain_id="$(cat "$toolchain") $(dpkg-query -W -f='${Package} ${Version} ' \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev)"

# Qt Core, Gui and Widgets, all the program includes, and the plugins it
# and its tests load: the windows and offscreen platforms, the Windows
# styles, and the JPEG and GIF readers for program pictures. Qt's testing
# module is left out; the Direct2D feature stays, as the windows platform
# needs Gui's DirectWrite font database that comes with it.
qt_options=(-release -shared -nomake tests -nomake examples -no-opengl -no-dbus -no-icu -no-zstd
  -no-pkg-config -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
  -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml
  -no-feature-printsupport -no-feature-tabletevent -no-feature-vulkan -no-feature-testlib)
qt_orig=$(ls "$cache"/src/qt6-base_6.4.2*.orig.tar.* | head -1)
qt_debian=$(ls "$cache"/src/qt6-base_6.4.2*.debian.tar.* | head -1)
# The Debian tarball holds the patch list and the patches.
qt_patches=$(sha256sum < "$qt_debian" | cut -d' ' -f1)
qt_prefix=$cache/qt-6.4.2-$(key "${qt_options[*]}" "$toolchain_id" "$(basename "$qt_orig")" "$qt_patches")
build_qt() {
  local src build
  src=$(unpack 'qt6-base_6.4.2*.orig.tar.*')
  # A source tree patched from another Debian tarball is unpacked anew.
  if [ -f "$src/.debian-patched" ] && [ "$(cat "$src/.debian-patched")" != "$qt_patches" ]; then
    rm -rf "$(dirname "$src")"
    src=$(unpack 'qt6-base_6.4.2*.orig.tar.*')
  fi
  if [ ! -f "$src/.debian-patched" ]; then
    mkdir -p "$src/.debian-src" && tar -xf "$qt_debian" -C "$src/.debian-src"
    while read -r patch; do
      case "$patch" in ''|'#'*) continue ;; esac
      patch -d "$src" -p1 --forward --batch < "$src/.debian-src/debian/patches/$patch"
    done < "$src/.debian-src/debian/patches/series"
    echo "$qt_patches" > "$src/.debian-patched"
  fi
  build=$cache/build/qtbase
  rm -rf "$build" && mkdir -p "$build"
  (cd "$build" && "$src/configure" -prefix "$qt_prefix" -xplatform win32-g++ -qt-host-path /usr \
     "${qt_options[@]}" -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
     -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
   && ninja -j"$jobs" && ninja install)
  touch "$qt_prefix/.complete"
  rm -rf "$build"
}
if [ ! -f "$qt_prefix/.complete" ]; then
  stage "qt for windows" build_qt
fi

ft_options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON)
gtest_version=$(dpkg-query -W -f='${Version}' libgtest-dev)
deps_prefix=$cache/deps-$(key "${ft_options[*]}" freetype-2.12.1 avrdude-7.1 libcsv-3.0.3 \
  "googletest-$gtest_version" "$toolchain_id")
build_freetype() {
  local src build=$cache/build/freetype
  src=$(unpack 'freetype_2.12.1*.orig.tar.*')
  rm -rf "$build"
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$deps_prefix" "${ft_options[@]}"
  cmake --build "$build" -j"$jobs"
  cmake --install "$build"
  rm -rf "$build"
}
build_avrdude() {
  local src build=$cache/build/avrdude
  src=$(unpack 'avrdude_7.1*.orig.tar.*')
  rm -rf "$build"
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$build" -j"$jobs"
  mkdir -p "$deps_prefix/avrdude"
  cp "$build/src/avrdude.exe" "$build/src/avrdude.conf" "$deps_prefix/avrdude/"
  rm -rf "$build"
}
# libcsv is one C file; Debian builds it with libtool, which has nothing to
# add for a static library.
build_libcsv() {
  local src
  src=$(unpack 'libcsv_3.0.3*.orig.tar.*')
  mkdir -p "$deps_prefix/include" "$deps_prefix/lib"
  x86_64-w64-mingw32-gcc-posix -O2 -c "$src/libcsv.c" -o "$cache/src/libcsv.o"
  x86_64-w64-mingw32-ar rcs "$deps_prefix/lib/libcsv.a" "$cache/src/libcsv.o"
  cp "$src/csv.h" "$deps_prefix/include/"
}
# GoogleTest for the tests under Wine, from the source libgtest-dev ships.
build_googletest() {
  local build=$cache/build/googletest
  rm -rf "$build"
  cmake -S /usr/src/googletest -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps_prefix" -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF
  cmake --build "$build" -j"$jobs"
  cmake --install "$build"
  rm -rf "$build"
}
if [ ! -f "$deps_prefix/.complete" ]; then
  stage "freetype for windows" build_freetype
  stage "avrdude for windows" build_avrdude
  stage "libcsv for windows" build_libcsv
  stage "googletest for windows" build_googletest
  touch "$deps_prefix/.complete"
fi

echo "AWARD_WIN_QT=$qt_prefix"
echo "AWARD_WIN_DEPS=$deps_prefix"
