# Tessaline — the project's entry points. `make run` and `make test` take a fresh
# Debian machine from nothing to a running program and to passing tests.

BUILD      ?= build
TSAN_BUILD ?= build-tsan
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
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
# Debug builds (the sanitizers) embed the build folder; keep it out of the key too.
export CCACHE_NOHASHDIR := 1

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
	fonts-inter python3-fonttools \
	desktop-file-utils \
	clang-14 libclang-rt-14-dev
# JUCE's module patches are applied with patch (patches/).
PACKAGES += patch
# The LV2 metadata test validates the bundle against Debian's LV2 schemas.
PACKAGES += sordi lv2-dev
# The plugins are tested in a real DAW: Debian's Ardour, headless (its Lua session tool).
PACKAGES += ardour

.PHONY: deps configure build run test asan tsan fuzz print-packages bench lv2bench install install-app uninstall-app clean gallery

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

# Warnings as errors: `make test` (CI) passes WERROR=ON; without WERROR the
# build keeps what it was configured with.
WERROR ?=

# Runs under a virtual X server when there is no display.
XRUN = if [ -n "$$DISPLAY" ]; then run=""; else run="xvfb-run -a -s '-noreset -screen 0 1920x1080x24'"; fi;

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(CONFIG)

configure: deps $(BUILD)/CMakeCache.txt
	$(if $(WERROR),cmake -S . -B $(BUILD) -DTESSALINE_WERROR=$(WERROR) > /dev/null)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(ARTEFACTS)/Standalone/Tessaline

# Every test under ctest (the galleries render into a scratch folder among
# them, and a check that every program the tests call is installed by
# `make deps`), then the sanitizer builds and a short run of each fuzzer.
test:
	@$(MAKE) --no-print-directory build WERROR=ON
	@$(XRUN) cd $(BUILD) && eval $$run ctest --output-on-failure
	@$(MAKE) --no-print-directory asan
	@$(MAKE) --no-print-directory tsan
	@$(MAKE) --no-print-directory fuzz FUZZ_RUNS=$(FUZZ_TEST_RUNS)

# Every icon and look-and-feel, and the editor at both standard sizes, rendered
# into $(BUILD)/gallery/*.png, with a contact sheet of the icons.
gallery: configure
	cmake --build $(BUILD) -j$(JOBS) --target tessaline_gallery tessaline_editor_gallery
	@$(XRUN) eval $$run sh -c "'$(BUILD)/tests/look/tessaline_gallery $(BUILD)/gallery && $(BUILD)/tests/editor/tessaline_editor_gallery $(BUILD)/gallery'"

# The engine, editor and standalone suites under AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build of their own; any report fails.
ASAN_SUITES := tessaline_engine_tests tessaline_editor_tests tessaline_standalone_tests
asan: deps
	[ -f $(ASAN_BUILD)/CMakeCache.txt ] || cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALINE_ASAN=ON -DTESSALINE_PLUGINS=OFF -DTESSALINE_WERROR=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS) --target $(ASAN_SUITES)
	@$(XRUN) cd $(ASAN_BUILD) && \
	export ASAN_OPTIONS="halt_on_error=1 detect_leaks=1" \
	  UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1" && \
	  eval $$run ctest --output-on-failure -R "'^($(subst $(eval ) ,|,$(ASAN_SUITES)))$$'"

# The threading stress test under ThreadSanitizer, in a build of its own.
tsan: deps
	[ -f $(TSAN_BUILD)/CMakeCache.txt ] || cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALINE_TSAN=ON -DTESSALINE_PLUGINS=OFF -DTESSALINE_WERROR=ON
	cmake --build $(TSAN_BUILD) -j$(JOBS) --target tessaline_stress_tests
	@$(XRUN) cd $(TSAN_BUILD) && \
	export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan.supp" && \
	  eval $$run ctest --output-on-failure -R "'^tessaline_stress_tests$$'"

# libFuzzer (Debian's clang, with AddressSanitizer and UndefinedBehaviorSanitizer)
# on the processor's state blobs and on the application's settings file, each
# started from real blobs and settings files that the processor and the
# application's own code write (tessaline_fuzz_seeds). `make fuzz` runs each fuzzer for
# FUZZ_SECONDS; `make test` for a fixed FUZZ_TEST_RUNS inputs. Warnings are
# errors in the GCC builds; clang's set differs and is not made fatal here.
FUZZ_SECONDS   ?= 120
FUZZ_TEST_RUNS ?= 20000
FUZZ_RUNS      ?=
FUZZERS        := state settings
fuzz: deps
	[ -f $(FUZZ_BUILD)/CMakeCache.txt ] || CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALINE_FUZZ=ON -DTESSALINE_PLUGINS=OFF -DTESSALINE_WERROR=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target tessaline_fuzz_seeds $(addprefix tessaline_fuzz_,$(FUZZERS))
	ASAN_OPTIONS=detect_leaks=0 $(FUZZ_BUILD)/fuzz/tessaline_fuzz_seeds $(FUZZ_BUILD)/seeds
	@for f in $(FUZZERS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$f && \
	  echo "fuzzing $$f" && \
	  ASAN_OPTIONS="halt_on_error=1 detect_leaks=1" UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1" \
	  $(FUZZ_BUILD)/fuzz/tessaline_fuzz_$$f $(if $(FUZZ_RUNS),-runs=$(FUZZ_RUNS),-max_total_time=$(FUZZ_SECONDS)) \
	    -max_len=65536 -timeout=10 -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/crash-$$f- \
	    $(FUZZ_BUILD)/corpus/$$f $(FUZZ_BUILD)/seeds/$$f || exit 1; \
	done

# Prints the package list, for the check that `make deps` installs every program the tests call.
print-packages:
	@echo $(PACKAGES)

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
	rm -rf $(BUILD) $(TSAN_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
