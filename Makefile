# Set-up, build, run, test and benchmark. Every target installs what is
# missing first, so a fresh Debian 12 machine with g++, cmake, make and git
# needs nothing else.

BUILD    ?= build
JOBS     ?= 2
PACKAGES := qt6-base-dev fonts-nanum libbenchmark-dev
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
TARQUEL  := $(BUILD)/src/tarquel

.PHONY: all setup configure build run demo test bench clean

all: build

setup:
	@missing=""; \
	for p in $(PACKAGES); do \
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

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/tarquel_bench --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true

clean:
	rm -rf $(BUILD)
