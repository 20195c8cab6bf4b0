# Pelk_Dedirad: `make run` builds and starts the program, `make test` builds
# and runs every test. Both install the Debian packages they need first.

BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

ifeq ($(SANITIZE),1)
BUILD_DIR ?= build-sanitize
CMAKE_EXTRA := -DPELK_SANITIZE=ON
else
BUILD_DIR ?= build
endif
PROGRAM_DIR := $(BUILD_DIR)/bin

FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench fuzz fuzz-build screenshot format clean package fresh-check

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_EXTRA)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run.sh $(PROGRAM_DIR)

# The plain suite also gives every fuzz target a few seconds; the sanitized
# suite runs the tests alone, the fuzz targets being sanitized already.
ifeq ($(SANITIZE),1)
test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 --timeout 600
else
test: build fuzz-build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 --timeout 300
	@./scripts/fuzz.sh $(FUZZ_DIR) 5
endif

# A day of refreshes and clicks in accelerated time, with its memory and
# descriptor figures.
.PHONY: soak
soak: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest -L soak --verbose --timeout 300

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELK_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_all

fuzz: fuzz-build
	@./scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: build
	@./scripts/install-deps.sh bench
	@./scripts/bench.sh $(BUILD_DIR)

# The Debian package, pelk-dedirad_<version>_amd64.deb, in the build folder.
package: build
	cd $(BUILD_DIR) && cpack --config CPackConfig.cmake

# make test (and the package, installed and started) in a fresh minimal
# Debian 12 root, as a newcomer would; takes minutes, needs root.
fresh-check:
	@./scripts/fresh-check.sh --package

screenshot: build
	@./scripts/screenshot.sh $(PROGRAM_DIR) docs/screenshot.png docs/bandmap.png

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-sanitize $(FUZZ_DIR)
