# The two everyday commands; CMake does the real work.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test check-unit check-integration check-gui test-asan \
	soak fuzz bench package clean format

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build --preset default -j $(JOBS)

run: build
	@scripts/run-demo.sh $(BUILD)

test: build
	@ctest --preset default -j $(JOBS)

# One label of the suite: functions and formats, the link and operations against the
# simulator, the real window.
check-unit check-integration check-gui: check-%: build
	@ctest --preset default -j $(JOBS) -L '^$*$$'

# 200 transfers and 200 sendings in one process; memory and descriptors must stay flat.
soak: build
	@ctest --preset soak

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

# Every target for FUZZ_SECONDS each, built with clang and the sanitizers.
fuzz:
	@scripts/install-deps.sh --fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS) --target fuzz_targets
	@scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	@$(BUILD)/bin/bench_program

package: build
	@scripts/install-deps.sh --package
	@cd $(BUILD) && cpack

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
