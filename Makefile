# The one entry point: deps, build, run, test, bench, install, uninstall, package.
BUILD ?= build
ASAN_BUILD ?= build-asan
WIN64_BUILD ?= build-win64
WIN32_BUILD ?= build-win32
WEB_BUILD ?= build-web
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

# Debian's emscripten runs its optimizer under node, which must find acorn there.
EMSCRIPTEN_ENV = NODE_PATH=/usr/share/nodejs

.PHONY: all deps build run test test-fast test-asan windows test-windows web test-web bench bench-web snapshots install uninstall package clean

all: build

deps:
	@bash deps/install.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOOK_WERROR=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/varnook

# Every test, in the normal build and again under AddressSanitizer + UndefinedBehaviorSanitizer,
# then the Windows build's under wine.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-asan
	$(MAKE) --no-print-directory test-windows
	$(MAKE) --no-print-directory test-web

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVARNOOK_SANITIZE=ON -DVARNOOK_WERROR=ON -DVARNOOK_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		ctest --output-on-failure -j $(JOBS) -LE no-sanitize

# The Windows program folder $(WIN64_BUILD)/bin and $(WIN64_BUILD)/varnook-windows-x64.zip,
# cross-compiled with mingw-w64; the data files come from the native build's tools. Also the 32-bit
# QXDLL.dll in $(WIN32_BUILD)/bin.
windows: build
	cmake -S . -B $(WIN32_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=Release \
		-DVARNOOK_WERROR=ON -DVARNOOK_ENGINE_ONLY=ON
	cmake --build $(WIN32_BUILD) -j $(JOBS)
	cmake -S . -B $(WIN64_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
		-DVARNOOK_WERROR=ON -DVARNOOK_NATIVE_BUILD=$(CURDIR)/$(BUILD) -DVARNOOK_WIN32_BUILD=$(CURDIR)/$(WIN32_BUILD)
	cmake --build $(WIN64_BUILD) -j $(JOBS)

# The Windows build's tests: its test programs under wine, the tables of its binaries, the program
# played under wine on a virtual X server.
test-windows: windows
	cd $(WIN64_BUILD) && ctest --output-on-failure -j $(JOBS)

# The game as a web page in $(WEB_BUILD)/ (index.html, varnook.js + varnook.wasm, the data files of
# the native build's tools), compiled with Emscripten; CMake's own files go to $(WEB_BUILD)/cmake.
web: build
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_BUILD)/cmake -DCMAKE_BUILD_TYPE=Release -DVARNOOK_WERROR=ON \
		-DVARNOOK_NATIVE_BUILD=$(CURDIR)/$(BUILD) -DVARNOOK_WEB_DIR=$(CURDIR)/$(WEB_BUILD)
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD)/cmake -j $(JOBS)

# The web build's tests: its engine under node, the page in a headless Chromium.
test-web: web
	cd $(WEB_BUILD)/cmake && ctest --output-on-failure

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# The web build's targets: page weight, time to the menu in Chromium, engine speed against native.
bench-web: web
	/usr/bin/python3 bench/web/web_bench.py $(WEB_BUILD) $(BUILD) $(WEB_BUILD)/cmake

# Pictures of every screen and window, drawn headlessly from the build's program folder.
snapshots: build
	$(BUILD)/tools/snapshots/snapshots $(BUILD)/snapshots

# The game as a desktop program under $(PREFIX) (DESTDIR is honoured), and its removal.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	cmake -DMANIFEST=$(CURDIR)/$(BUILD)/install_manifest.txt -P packaging/uninstall.cmake

# A .deb of the game under /usr, in $(BUILD)/package/.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WIN64_BUILD) $(WIN32_BUILD) $(WEB_BUILD)
