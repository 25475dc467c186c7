# Tessaline — the project's entry points. `make run` and `make test` take a fresh
# Debian machine from nothing to a running program and to passing tests.

BUILD      ?= build
TSAN_BUILD ?= build-tsan
JOBS       ?= $(shell nproc)
CONFIG     ?= Release
ARTEFACTS  := $(BUILD)/Tessaline_artefacts/$(CONFIG)

# Where `make install` puts the application, its menu entry and its icon.
PREFIX     ?= $(HOME)/.local
APP_BINDIR := $(PREFIX)/bin
APP_BIN    := $(APP_BINDIR)/tessaline
APP_ENTRY  := $(PREFIX)/share/applications/tessaline.desktop
APP_ICON   := $(PREFIX)/share/icons/hicolor/scalable/apps/tessaline.svg

# The compiler cache keys on paths relative to the checkout, so every clone and
# work tree of the project shares one cache wherever it lives.
export CCACHE_BASEDIR := $(CURDIR)

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Exactly what the build, the tests and the benchmarks need.
PACKAGES := \
	cmake g++ make pkg-config ccache \
	juce-modules-source \
	libasound2-dev libjack-jackd2-dev \
	libfreetype-dev libfontconfig1-dev \
	libx11-dev libxcomposite-dev libxcursor-dev libxext-dev \
	libxinerama-dev libxrandr-dev libxrender-dev \
	zlib1g-dev libpng-dev libjpeg-dev \
	libgtest-dev libbenchmark-dev \
	xvfb xauth \
	jackd2 jalv lilv-utils liblilv-dev python3 \
	fonts-inter python3-fonttools
# JUCE's module patches are applied with patch (patches/).
PACKAGES += patch
# The LV2 metadata test validates the bundle against Debian's LV2 schemas.
PACKAGES += sordi lv2-dev
# The plugins are tested in a real DAW: Debian's Ardour, headless (its Lua session tool).
PACKAGES += ardour

.PHONY: deps configure build run test tsan bench lv2bench install install-app uninstall-app clean gallery

# Installs whichever of the given Debian packages are missing; does nothing when all are there.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(CONFIG)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(ARTEFACTS)/Standalone/Tessaline

# GUI-capable tests need a display; without one they run under a virtual X server.
# The threading stress test then runs again under ThreadSanitizer.
test: build
	@if [ -n "$$DISPLAY" ]; then \
	  cd $(BUILD) && ctest --output-on-failure; \
	else \
	  cd $(BUILD) && xvfb-run -a -s "-noreset -screen 0 1920x1080x24" ctest --output-on-failure; \
	fi
	$(MAKE) tsan

# The threading stress test under ThreadSanitizer, in a build of its own.
tsan: deps
	[ -f $(TSAN_BUILD)/CMakeCache.txt ] || cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALINE_TSAN=ON -DTESSALINE_PLUGINS=OFF
	cmake --build $(TSAN_BUILD) -j$(JOBS) --target tessaline_stress_tests
	@if [ -n "$$DISPLAY" ]; then run=""; else run="xvfb-run -a"; fi; \
	cd $(TSAN_BUILD) && \
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan.supp" \
	  $$run ctest --output-on-failure -R '^tessaline_stress_tests$$'

bench: build
	$(BUILD)/bench/tessaline_bench

# The LV2 plugin beside the Debian filter plugins, measured in one run by the
# workshop's LV2 host (built in a copy; the original is read-only).
LV2BENCH_SRC ?= ../shared/lv2bench
LV2BENCH_PACKAGES := calf-plugins lsp-plugins-lv2 x42-plugins swh-lv2 mda-lv2 zam-plugins
lv2bench: install
	$(call install_missing,$(LV2BENCH_PACKAGES))
	rm -rf $(BUILD)/lv2bench && cp -r $(LV2BENCH_SRC) $(BUILD)/lv2bench && chmod -R u+w $(BUILD)/lv2bench
	cd $(BUILD)/lv2bench && ./run_all.sh 1 60 && python3 summarize.py results/raw-*.log

install: build
	mkdir -p $(HOME)/.vst3 $(HOME)/.lv2
	rm -rf $(HOME)/.vst3/Tessaline.vst3 $(HOME)/.lv2/Tessaline.lv2
	cp -r $(ARTEFACTS)/VST3/Tessaline.vst3 $(HOME)/.vst3/
	cp -r $(ARTEFACTS)/LV2/Tessaline.lv2 $(HOME)/.lv2/
	@$(MAKE) --no-print-directory install-app

# The built application, with a menu entry and an icon (the desktop's menus
# read ~/.local/share). Builds nothing: `install` builds first.
install-app:
	install -D -m 755 $(ARTEFACTS)/Standalone/Tessaline $(APP_BIN)
	install -D -m 644 resources/desktop/tessaline.svg $(APP_ICON)
	mkdir -p $(dir $(APP_ENTRY))
	sed 's|@BINDIR@|$(APP_BINDIR)|' resources/desktop/tessaline.desktop.in > $(APP_ENTRY)

uninstall-app:
	rm -f $(APP_BIN) $(APP_ENTRY) $(APP_ICON)

clean:
	rm -rf $(BUILD) $(TSAN_BUILD)
