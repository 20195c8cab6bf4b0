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

.PHONY: all deps configure build run test bench format clean

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_EXTRA)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run.sh $(PROGRAM_DIR)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2 --timeout 300

bench: build
	@./scripts/bench.sh $(BUILD_DIR)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) build-sanitize
