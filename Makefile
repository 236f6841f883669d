# Thin wrapper around CMake. Each command first makes sure the Debian
# packages it needs are installed (tools/install-deps). `make check`
# cross-builds the Windows modules (`make windows`, whose checks run in the
# plain build's suite), then builds and tests twice: a plain release build
# with GCC, then clang with
# AddressSanitizer and UndefinedBehaviorSanitizer (which also builds the fuzz
# targets and runs each briefly over its seed inputs); its last line counts
# the tests skipped for lack of the real-document corpus.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
DEB_BUILD ?= build-deb
PREFIX ?= /usr/local
# A compiler cache, where one is installed, makes repeated builds quick.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Plain builds compile the product in combined batches (several times
# quicker from cold); the sanitizer build keeps one unit per file.
CONFIGURE := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) -DBTE_UNITY_BUILD=ON
# The demo needs no debugging information: without it the build is a third
# quicker.
DEMO_CONFIGURE := -G Ninja -DCMAKE_BUILD_TYPE=Release $(LAUNCHER) -DBTE_UNITY_BUILD=ON
# The demo's parts: the library, the HTML library and the tool.
DEMO_TARGETS := buildtagexpr pagesift buildtags

.PHONY: all build asan check test test-asan demo install deb check-deb bench fuzz clean \
	golden-update deps-demo deps-build deps-install deps-check deps-deb windows deps-windows \
	check-windows windows-suites

all: build

deps-demo deps-build deps-install deps-check deps-deb deps-windows:
	@tools/install-deps $(@:deps-%=%)

build: deps-build
	cmake -S . -B $(BUILD) $(CONFIGURE) -DBTE_TESTS=ON -DBTE_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)

asan: deps-build
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug $(LAUNCHER) \
	  -DCMAKE_CXX_COMPILER=clang++ -DBTE_SANITIZE=ON -DBTE_FUZZ=ON -DBTE_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# The cross build and its unit suites under Wine come first, so that the
# plain suite checks and runs the cross build's modules too.
check: deps-check windows-suites test test-asan
	@tools/corpus-skips $(BUILD) $(ASAN_BUILD)

# Without a build folder, the demo configures one without tests, so that
# the build packages suffice; an existing one (from make check, say) is
# used as it is. Only the demo's parts are built.
demo: deps-demo
	@test -f $(BUILD)/CMakeCache.txt || \
	  cmake -S . -B $(BUILD) $(DEMO_CONFIGURE) -DBTE_TESTS=OFF -DBTE_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS) --target $(DEMO_TARGETS)
	./samples/demo.sh $(BUILD)

install: deps-install
	@test -f $(BUILD)/CMakeCache.txt || \
	  cmake -S . -B $(BUILD) $(CONFIGURE) -DBTE_TESTS=OFF -DBTE_BENCH=OFF
	cmake --build $(BUILD) -j $(JOBS)
	cmake --install $(BUILD) --prefix $(PREFIX)

# Debian packages in $(DEB_BUILD)/packages, built for /usr.
deb: deps-deb
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(LAUNCHER) -DBTE_UNITY_BUILD=ON \
	  -DCMAKE_INSTALL_PREFIX=/usr -DBTE_TESTS=OFF -DBTE_BENCH=OFF
	cmake --build $(DEB_BUILD) -j $(JOBS)
	cd $(DEB_BUILD) && cpack -G DEB

# Installs the packages on this machine, tries them and purges them: for CI.
check-deb: deb
	tools/check-deb $(DEB_BUILD)/packages

# The Windows modules and tool, cross-built with mingw-w64 for 32 and 64
# bits into $(WINDOWS_BUILD)/x86 and $(WINDOWS_BUILD)/x64.
WINDOWS_BUILD ?= build-windows
WINDOWS_CONFIGURE := -G Ninja -DCMAKE_BUILD_TYPE=Release $(LAUNCHER) -DBTE_UNITY_BUILD=ON -DBTE_BENCH=OFF
# Each build also compiles the unit suites when asked (make windows-suites)
# and a Wine of its bitness is installed; a plain make windows builds what
# ships.
WINDOWS_TESTS ?= OFF

windows: deps-windows
	cmake -S . -B $(WINDOWS_BUILD)/x86 $(WINDOWS_CONFIGURE) -DBTE_TESTS=$(WINDOWS_TESTS) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/i686-w64-mingw32.cmake
	cmake --build $(WINDOWS_BUILD)/x86 -j $(JOBS)
	cmake -S . -B $(WINDOWS_BUILD)/x64 $(WINDOWS_CONFIGURE) -DBTE_TESTS=$(WINDOWS_TESTS) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake
	cmake --build $(WINDOWS_BUILD)/x64 -j $(JOBS)

# The unit suites cross-built and run under Wine, for each bitness whose
# Wine is installed.
windows-suites: deps-windows
	$(MAKE) windows WINDOWS_TESTS=ON
	tools/windows-suites $(WINDOWS_BUILD) $(JOBS)

# Everything Windows: the unit suites, then the cross build's checks from
# the plain build (export tables, resources, the tool, the host round and
# the dialog under Wine; the 32-bit round only where wine32 is installed).
check-windows: windows-suites build
	cd $(BUILD) && ctest --output-on-failure -R '^windows_'

# Every benchmark, then the table of the speed goals (bench/goals.sh).
bench: build
	$(BUILD)/bench/bte_bench
	bench/goals.sh $(BUILD)

# Rewrites tests/golden/manifest.txt from the tool's current outputs: for
# changes meant to change output (review its diff before committing).
golden-update: build
	cmake --build $(BUILD) --target golden-update

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(DEB_BUILD) $(WINDOWS_BUILD)
