# The two commands of the README. Both set up a fresh Debian 12 machine first.
#   make run   build, then start the program on the shipped word list
#   make test  build, then run the whole suite (plain and sanitizer builds)

SHELL := /bin/bash

# Every Debian package the build, the program and the tests need. mdbtools
# (libmdb and its commands) is the tests' second reader of Jet files; the
# program does not use it. `file` is
# what CPack's Debian generator looks at the binaries with; lintian and
# man-db check the package and its manual pages; llvm-14 brings llvm-rc,
# which compiles the Windows resource script in the tests; lld links the
# sanitizer and fuzz builds. The fonts are the ones the package depends on:
# the word boxes' Liberation faces, and DejaVu for a proportional UI face
# (without it, fontconfig answers sans-serif with Liberation Mono).
PACKAGES := g++ cmake ninja-build pkg-config \
            qt6-base-dev libgl-dev mdbtools-dev mdbtools \
            libsqlite3-dev libzip-dev libzstd-dev \
            libgtest-dev libbenchmark-dev \
            nodejs fonts-liberation fonts-dejavu-core \
            xvfb xauth xdotool imagemagick x11-xkb-utils xclip libxcb1-dev \
            desktop-file-utils appstream dpkg-dev file lintian man-db hyperfine \
            clang libclang-rt-14-dev llvm-14 lld \
            dbus-x11 dbus-daemon \
            at-spi2-core gir1.2-atspi-2.0 python3-gi \
            weston qt6-wayland
# The writer tests install mdb-reader from npm; Debian ships npm apart from
# nodejs, other nodejs builds bring their own.
PACKAGES += $(if $(shell command -v npm),,npm)

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
# sudo resets the environment, so the variable goes through env, past sudo.
APT := $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get
JOBS ?= $(shell nproc)

.PHONY: all deps build build-asan build-fuzz run test test-plain test-asan test-fuzz package clean \
        windows-deps windows test-windows

all: build

# Installs only what is missing, so a set-up machine pays nothing.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(APT) update -qq && \
	  $(APT) install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)

# The libFuzzer targets: clang with ASan and UBSan, in build-fuzz.
build-fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)

run: build
	./build/bin/vorelka

test-plain: build
	ctest --preset default -j $(JOBS)

test-asan: build-asan
	ctest --preset asan -j $(JOBS)

# Each fuzz target for 10 seconds from the committed corpus (seven targets,
# one per core), and every kept regression input through the fuzz-built
# entry points.
test-fuzz: build-fuzz
	ctest --preset fuzz -j $(JOBS)

test: test-plain test-asan test-fuzz

package: build
	cd build && cpack -G DEB

# Windows, cross-built here and tested under Wine; neither is part of
# `make test`. The first `make windows` builds Qt and the other libraries
# from Debian's source packages into build-windows/third-party (about 25
# minutes on 2 cores) and keeps them; later runs build only the project.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev \
                    nsis zip unzip tcl dpkg-dev wine wine64 xvfb xauth xdotool imagemagick
WINDOWS_BUILD := build-windows
DEB_SRC_LIST := /etc/apt/sources.list.d/vorelka-deb-src.sources
VERSION := $(shell grep -m1 -o 'Vorelka VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)

# Qt, SQLite, libzip and zstd come from Debian's source packages, which
# need a deb-src line.
windows-deps: deps
	@if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ && \
	    ! grep -qs '^deb-src' /etc/apt/sources.list; then \
	  printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
	    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' \
	    | $(SUDO) tee $(DEB_SRC_LIST) >/dev/null; \
	  $(APT) update -qq; \
	fi
	@$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_PACKAGES)"

windows: windows-deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS) --target vorelka-words vorelka_make_icons
	cmake/windows/third_party.sh $(WINDOWS_BUILD)
	cmake -S . -B $(WINDOWS_BUILD)/vorelka -G Ninja \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/windows/toolchain-mingw64.cmake \
	  -DVORELKA_WINDOWS_PREFIX=$(CURDIR)/$(WINDOWS_BUILD)/third-party/prefix \
	  -DVORELKA_HOST_BUILD=$(CURDIR)/build \
	  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
	  -DBUILD_TESTING=OFF -DVORELKA_BENCH=OFF
	cmake --build $(WINDOWS_BUILD)/vorelka -j $(JOBS)
	cmake/windows/package.sh $(WINDOWS_BUILD) $(VERSION)

test-windows: windows
	tests/windows/run_tests.sh $(WINDOWS_BUILD) $(VERSION)

clean:
	rm -rf build build-asan build-fuzz build-windows
