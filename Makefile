# Entry points for people; CMake does the building.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test build deps configure sanitize fuzz bench format clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

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

sanitize:
	@LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
		$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DCMAKE_BUILD_TYPE=Debug -DQUINTARO_SANITIZE=ON"

fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTARO_FUZZ=ON \
		-DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzzers

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD)
