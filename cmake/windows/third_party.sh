#!/bin/bash
# Cross-builds, once, the libraries the Windows build links, from Debian's
# own source packages, into build-windows/third-party/prefix:
#   Qt 6.4.2 qtbase  shared DLLs (Core, Gui, Widgets, the windows platform
#                    plugin, the windowsvista style): the LGPL lets a user
#                    replace them, and the plugins load as Qt expects
#   SQLite, zstd     static, for vorelka-words' Anki importer
#   libzip           a DLL over Debian's MinGW zlib (zlib1.dll, which Qt
#                    also uses)
# Each library leaves a stamp when installed; a second run skips it.
#
#   third_party.sh BUILD-WINDOWS-FOLDER
set -euo pipefail

mkdir -p "$1"
root=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
sources=$root/third-party/sources
work=$root/third-party/build
prefix=$root/third-party/prefix
toolchain=$here/toolchain-mingw64.cmake
jobs=${JOBS:-$(nproc)}
triple=x86_64-w64-mingw32
mkdir -p "$sources" "$work" "$prefix"

cross_cmake() {
  cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVORELKA_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
}

# Unpacks the upstream tarball of Debian source package $1 into $work and
# prints the folder it made. Debian's patches are for Debian's own builds
# and are not applied.
unpack() {
  local package=$1
  if ! ls "$sources/${package}"_*.orig.tar.* >/dev/null 2>&1; then
    (cd "$sources" && apt-get source --download-only "$package" >/dev/null)
  fi
  local tarball
  tarball=$(ls "$sources/${package}"_*.orig.tar.* | grep -v '\.asc$' | grep -v -- '-www' | head -n 1)
  local folder
  folder=$work/$(tar tf "$tarball" | head -n 1 | cut -d/ -f1)
  rm -rf "$folder"
  tar xf "$tarball" -C "$work"
  echo "$folder"
}

# Keeps a library's licence texts for the packages: $1 the library, then
# the files.
keep_licences() {
  local library=$1
  shift
  mkdir -p "$prefix/licences/$library"
  cp "$@" "$prefix/licences/$library/"
}

done_already() { [ -e "$prefix/.built-$1" ]; }
mark_done() { touch "$prefix/.built-$1"; }

build_qt() {
  done_already qt && return
  echo "== Qt 6 qtbase for Windows (about 20 minutes on 2 cores)"
  local src
  src=$(unpack qt6-base)
  # Debian dropped wintab, so no tablet events; no OpenGL in any form; and
  # Direct2D and DirectWrite 3 go together, or qwindows.dll does not link.
  cross_cmake -S "$src" -B "$work/qtbase" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix/qt" -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=OFF \
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_jpeg=OFF -DFEATURE_icu=OFF
  cmake --build "$work/qtbase" -j "$jobs"
  cmake --install "$work/qtbase"
  keep_licences qt "$src/LICENSES/LGPL-3.0-only.txt" "$src/LICENSES/GPL-3.0-only.txt"
  rm -rf "$src" "$work/qtbase"
  mark_done qt
}

build_sqlite() {
  done_already sqlite && return
  echo "== SQLite"
  local src
  src=$(unpack sqlite3)
  # The amalgamation is made from the source tree by the host's tclsh.
  (cd "$src" && ./configure --quiet >/dev/null && make -s sqlite3.c >/dev/null)
  mkdir -p "$prefix/include" "$prefix/lib"
  "$triple-gcc-posix" -O2 -DSQLITE_OMIT_LOAD_EXTENSION -DSQLITE_THREADSAFE=1 \
    -c "$src/sqlite3.c" -o "$work/sqlite3.o"
  "$triple-ar" rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o"
  cp "$src/sqlite3.h" "$src/sqlite3ext.h" "$prefix/include/"
  rm -rf "$src" "$work/sqlite3.o"
  mark_done sqlite
}

build_zstd() {
  done_already zstd && return
  echo "== zstd"
  local src
  src=$(unpack libzstd)
  cross_cmake -S "$src/build/cmake" -B "$work/zstd" \
    -DZSTD_BUILD_SHARED=OFF -DZSTD_BUILD_STATIC=ON -DZSTD_BUILD_PROGRAMS=OFF \
    -DZSTD_BUILD_TESTS=OFF -DZSTD_MULTITHREAD_SUPPORT=OFF -DZSTD_LEGACY_SUPPORT=OFF >/dev/null
  cmake --build "$work/zstd" -j "$jobs" >/dev/null
  cmake --install "$work/zstd" >/dev/null
  keep_licences zstd "$src/LICENSE"
  rm -rf "$src" "$work/zstd"
  mark_done zstd
}

build_libzip() {
  done_already libzip && return
  echo "== libzip"
  local src
  src=$(unpack libzip)
  # Reading plain and deflated members is all the importer asks of it.
  cross_cmake -S "$src" -B "$work/libzip" -DBUILD_SHARED_LIBS=ON \
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF >/dev/null
  cmake --build "$work/libzip" -j "$jobs" >/dev/null
  cmake --install "$work/libzip" >/dev/null
  keep_licences libzip "$src/LICENSE"
  rm -rf "$src" "$work/libzip"
  mark_done libzip
}

for library in ${ONLY:-sqlite zstd libzip qt}; do "build_$library"; done
