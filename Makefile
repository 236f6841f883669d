# Thin wrapper around CMake. `make check` builds and tests twice: a plain
# release build with GCC, then clang with AddressSanitizer and
# UndefinedBehaviorSanitizer (which also builds the fuzz targets and runs each
# briefly over its seed inputs).
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
# A compiler cache, where one is installed, makes repeated builds quick.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: all build asan check test test-asan demo bench fuzz clean golden-update

all: build

build:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)
	cmake --build $(BUILD) -j $(JOBS)

asan:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug $(LAUNCHER) \
	  -DCMAKE_CXX_COMPILER=clang++ -DBTE_SANITIZE=ON -DBTE_FUZZ=ON -DBTE_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

check: test test-asan

demo: build
	./samples/demo.sh $(BUILD)

bench: build
	$(BUILD)/bench/bte_bench

# Rewrites tests/golden/manifest.txt from the tool's current outputs: for
# changes meant to change output (review its diff before committing).
golden-update: build
	cmake --build $(BUILD) --target golden-update

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
