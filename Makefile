# The one entry point: deps, build, run, test, bench, install, uninstall, package.
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps build run test test-fast test-asan bench install uninstall package clean

all: build

deps:
	@bash deps/install.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOOK_WERROR=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/varnook

# Every test, in the normal build and again under AddressSanitizer + UndefinedBehaviorSanitizer.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-asan

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVARNOOK_SANITIZE=ON -DVARNOOK_WERROR=ON -DVARNOOK_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		ctest --output-on-failure -j $(JOBS) -LE no-sanitize

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# The game as a desktop program under $(PREFIX) (DESTDIR is honoured), and its removal.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	cmake -DMANIFEST=$(CURDIR)/$(BUILD)/install_manifest.txt -P packaging/uninstall.cmake

# A .deb of the game under /usr, in $(BUILD)/package/.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
