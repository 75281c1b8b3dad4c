# Quillfen: thin make front over CMake. Every target first installs any missing
# Debian package (scripts/install-deps.sh), then configures and builds.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
ARGS ?=

.PHONY: all build test run bench deps clean format format-check

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

run: build
	$(BUILD)/src/app/quillfen $(ARGS)

# Benchmarks: built as users build (-O2, no -march=native), in a tree of their own.
bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLFEN_BUILD_TESTS=OFF -DQUILLFEN_BUILD_BENCH=ON $(CMAKE_FLAGS) > /dev/null
	cmake --build build-bench -j $(JOBS) --target quillfen-bench
	build-bench/bench/quillfen-bench $(ARGS)

clean:
	rm -rf build build-*

FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')
format:
	clang-format -i $(FORMAT_FILES)
format-check:
	clang-format --dry-run --Werror $(FORMAT_FILES)
