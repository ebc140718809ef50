# Entry points for people; CMake does the building.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The compiler cache (installed by install-deps) makes every build after the first quick.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: run test build deps configure sanitize fuzz fuzz-smoke ci bench format clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The workstation window; on a machine without a display it starts offscreen, saves a screenshot
# of the main window and says where.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD)/bin/quintaro; else \
		mkdir -p $(BUILD)/screenshots && \
		QT_QPA_PLATFORM=offscreen $(BUILD)/bin/quintaro --screenshot $(BUILD)/screenshots/quintaro.png && \
		echo "No display: the workstation ran offscreen; see $(BUILD)/screenshots/quintaro.png"; fi

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The test suite again under AddressSanitizer and UndefinedBehaviorSanitizer (no benchmarks there).
sanitize:
	@LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
		$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DCMAKE_BUILD_TYPE=Debug -DQUINTARO_SANITIZE=ON -DQUINTARO_BENCHMARKS=OFF"

fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTARO_FUZZ=ON \
		-DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 $(LAUNCHER) >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzzers

# Every fuzz target for FUZZ_SECONDS seconds, JOBS at a time; a finding fails (the input is kept in
# build-fuzz/findings/).
FUZZ_SECONDS ?= 60
fuzz-smoke: fuzz
	@LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
		scripts/fuzz-smoke build-fuzz/bin $(FUZZ_SECONDS) $(JOBS)

# What continuous integration runs (.ci/run): the tests, the tests under the sanitizers, and the
# fuzz targets.
ci: test sanitize fuzz-smoke

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
