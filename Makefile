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

# The whole suite under AddressSanitizer and UBSan (every UB report is fatal), with
# leak checking on; the end-to-end harness turns it off for the viewer alone, whose
# GL driver keeps memory to the end.
SANITIZE_ASAN_OPTIONS ?= detect_leaks=1:check_initialization_order=1:strict_init_order=1
.PHONY: sanitize
sanitize: deps
	cmake -S . -B build-sanitize -DQUILLFEN_SANITIZE=ON -DQUILLFEN_WERROR=ON $(CMAKE_FLAGS) > /dev/null
	cmake --build build-sanitize -j $(JOBS)
	ASAN_OPTIONS=$(SANITIZE_ASAN_OPTIONS) UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir build-sanitize --output-on-failure -j $(JOBS)

# libFuzzer targets, FUZZ_SECONDS each, on a copy of the committed seeds in
# build-fuzz/corpus (what they learn stays there). A crash fails the target and leaves
# the input in build-fuzz/artifacts; replay it with `build-fuzz/tests/fuzz/TARGET FILE`.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= fuzz_search fuzz_scene_parser
.PHONY: fuzz
fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -DQUILLFEN_BUILD_FUZZ=ON -DQUILLFEN_BUILD_TESTS=OFF -DQUILLFEN_WERROR=ON $(CMAKE_FLAGS) > /dev/null
	cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_TARGETS)
	@set -e; for target in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$target build-fuzz/artifacts; \
	  cp -R tests/fuzz/corpus/$$target/. build-fuzz/corpus/$$target/; \
	  dict=; [ -f tests/fuzz/$$target.dict ] && dict=-dict=tests/fuzz/$$target.dict; \
	  echo "fuzz: $$target for $(FUZZ_SECONDS) s"; \
	  build-fuzz/tests/fuzz/$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=4096 \
	    -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/$$target- $$dict \
	    build-fuzz/corpus/$$target 2>build-fuzz/$$target.log \
	  || { tail -n 60 build-fuzz/$$target.log; echo "fuzz: $$target failed (log: build-fuzz/$$target.log)"; exit 1; }; \
	  grep -E "^(Done|stat::number_of_executed_units)" build-fuzz/$$target.log || true; \
	done
