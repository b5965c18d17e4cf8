# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT
# Set-up, build, run, test, lint, fuzz, benchmark and package. Every target
# installs what is missing first, so a fresh Debian 12 machine with g++,
# cmake, make and git needs nothing else.

SHELL         := /bin/bash

BUILD         ?= build
ASAN_BUILD    ?= build-asan
FUZZ_BUILD    ?= build-fuzz
PACKAGE_BUILD ?= build-package
WINDOWS_BUILD ?= build-windows
JOBS          ?= 2
FUZZ_SECONDS  ?= 60
TARQUEL       := $(BUILD)/src/tarquel
SUDO          := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Qt, a font with Hangul and a Latin one (the tests' run without Hangul);
# benchmarks; the end-to-end run under X, and the accessibility bus with
# its Python client for the screen reader's test; the clang tools for
# fuzzing and the static checks, with libc++; the manual page and the
# desktop's validators; the tools of the Debian package.
PACKAGES := qt6-base-dev fonts-nanum fonts-dejavu-core libbenchmark-dev \
            xvfb xdotool openbox wmctrl dbus-daemon at-spi2-core python3-pyatspi \
            clang libclang-rt-14-dev clang-format clang-tidy libc++-14-dev libc++abi-14-dev \
            help2man groff-base desktop-file-utils appstream dpkg-dev file reuse lintian

# The Windows build: the cross compiler, the tools that build Qt's source
# package, the installer's compiler, Wine with its fonts, and what the check
# uses to drive and look at the window.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix mingw-w64-tools dpkg-dev nsis zip unzip \
                    wine wine64 fonts-wine xvfb xdotool openbox wmctrl imagemagick python3-pil

# Stop at the first report; leaks of third-party libraries are listed, with
# their reasons, in the suppressions file.
SANITIZER_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1 \
                 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0

# Under make test nothing may skip: a missing tool is a failure.
TEST_ENV := QT_QPA_PLATFORM=offscreen TARQUEL_NO_SKIP=1

# clang-tidy's count of the warnings it hid is not news.
QUIET_TIDY := grep -v '^[0-9]* warnings\? generated\.$$' || true

SOURCES = $(shell git ls-files '*.cpp' '*.h')
# The Windows-only sources are checked by the Windows build (make windows).
TIDY_SOURCES = $(filter-out %_windows.cpp,$(shell git ls-files 'src/*.cpp' 'tests/*.cpp' 'bench/*.cpp'))
FUZZ_SOURCES = $(shell git ls-files 'fuzz/*.cpp')

.PHONY: all setup configure build run demo test test-default test-asan test-fuzz lint \
        fuzz fuzz-build bench package package-check icons clean \
        install-packages windows-setup windows windows-package windows-check

all: build

setup:
	@$(MAKE) --no-print-directory install-packages NEEDED="$(PACKAGES)"

windows-setup:
	@$(MAKE) --no-print-directory install-packages NEEDED="$(WINDOWS_PACKAGES)"

install-packages:
	@missing=""; \
	for p in $(NEEDED); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: setup
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  exec $(TARQUEL); \
	else \
	  echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set): rendering the headless demo to $(BUILD)/demo.png instead."; \
	  $(MAKE) --no-print-directory demo; \
	fi

# Sin > Display, then Sin > Integrate from 0 to 3.141592, headless.
demo: build
	LC_ALL=C.UTF-8 $(TARQUEL) --batch --png $(BUILD)/demo.png display integrate 0 3.141592
	@echo "Wrote $(BUILD)/demo.png"

# The suite as built, again under the sanitizers, a few seconds of each
# fuzzer, and the static checks.
test: setup
	$(MAKE) --no-print-directory test-default test-asan test-fuzz lint

test-default: build
	cd $(BUILD) && $(TEST_ENV) ctest --output-on-failure -j$(JOBS)

test-asan: setup
	@[ -f $(ASAN_BUILD)/CMakeCache.txt ] || \
	  cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTARQUEL_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) $(TEST_ENV) ctest --output-on-failure -j$(JOBS)

fuzz-build: setup
	@[ -f $(FUZZ_BUILD)/CMakeCache.txt ] || \
	  CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARQUEL_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS)

test-fuzz: fuzz-build
	cd $(FUZZ_BUILD) && ctest --output-on-failure

# Each fuzzer for FUZZ_SECONDS, from the seeds and what earlier runs found.
fuzz: fuzz-build
	@for target in text_to_number number_to_text integrate; do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$target; \
	  echo "== $$target, $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=4096 \
	    -print_final_stats=1 $(FUZZ_BUILD)/corpus/$$target fuzz/corpus/$$target || exit 1; \
	done

# Formatting, clang-tidy, every source compiled again against libc++, and
# the licence of every file, the REUSE way.
lint: build fuzz-build
	reuse lint --quiet || reuse lint
	clang-format --dry-run -Werror $(SOURCES)
	set -o pipefail; printf '%s\n' $(TIDY_SOURCES) | \
	  xargs -P$(JOBS) -n4 clang-tidy -p $(BUILD) --quiet 2>&1 | { $(QUIET_TIDY); }
	set -o pipefail; clang-tidy -p $(FUZZ_BUILD) --quiet $(FUZZ_SOURCES) 2>&1 | { $(QUIET_TIDY); }
	cmake -DDATABASE=$(BUILD)/compile_commands.json -DSOURCE_DIR=$(CURDIR) -DSHARD=0 -DSHARDS=2 \
	  -P tests/lint/libcxx_syntax.cmake & first=$$!; \
	cmake -DDATABASE=$(BUILD)/compile_commands.json -DSOURCE_DIR=$(CURDIR) -DSHARD=1 -DSHARDS=2 \
	  -P tests/lint/libcxx_syntax.cmake; second=$$?; \
	wait $$first && [ $$second = 0 ]
	cmake -DDATABASE=$(FUZZ_BUILD)/compile_commands.json -DSOURCE_DIR=$(CURDIR) \
	  -P tests/lint/libcxx_syntax.cmake

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/tarquel_bench --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true

# The Debian package, from the install rules of a release build of the
# program alone.
package: setup
	@[ -f $(PACKAGE_BUILD)/CMakeCache.txt ] || \
	  cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	    -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	@ls $(PACKAGE_BUILD)/tarquel_*.deb

# Lintian on the package, with no error and no warning; then installs it on
# a clean Debian 12 root made by debootstrap and runs it there; needs the
# Debian archive, takes some minutes, not part of make test.
package-check: package
	lintian --fail-on error,warning $(PACKAGE_BUILD)/tarquel_*.deb
	@dpkg-query -W -f='$${Status}' debootstrap 2>/dev/null | grep -q 'install ok installed' || \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends debootstrap
	$(SUDO) tests/data/check_package.sh $(PACKAGE_BUILD)

# tarquel.exe for 64-bit Windows, cross-compiled against a static Qt that is
# built once (25-40 minutes on two cores) into a cache outside the checkout.
windows: windows-setup
	windows/build.sh $(WINDOWS_BUILD)

# tarquel-VERSION-win64.zip and tarquel-VERSION-win64-setup.exe.
windows-package: windows
	cd $(WINDOWS_BUILD) && cpack
	@ls $(WINDOWS_BUILD)/tarquel-*-win64.zip $(WINDOWS_BUILD)/tarquel-*-win64-setup.exe

# The Windows program, its zip and its installer under Wine, headless,
# against the Linux build.
windows-check: windows-package build
	windows/check.sh $(WINDOWS_BUILD) $(TARQUEL)

# Draws the raster and platform icons anew from data/icons/tarquel.svg.
icons:
	@for p in librsvg2-bin icoutils icnsutils; do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$p; \
	done
	cd data/icons && for s in 16 24 32 48 64 128 256; do \
	  rsvg-convert -w $$s -h $$s tarquel.svg -o tarquel-$$s.png; done && \
	  icotool -c -o tarquel.ico tarquel-16.png tarquel-24.png tarquel-32.png tarquel-48.png \
	    -r tarquel-256.png && \
	  png2icns tarquel.icns tarquel-16.png tarquel-32.png tarquel-128.png tarquel-256.png

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD) $(WINDOWS_BUILD)
