# The two everyday commands; CMake does the real work.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test check-unit check-integration check-gui test-asan bench \
	package clean format

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

test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

bench: build
	@$(BUILD)/bin/bench_transfer

package: build
	@scripts/install-deps.sh --package
	@cd $(BUILD) && cpack

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
