# Tarvelo's front door. `make run` and `make test` are all a newcomer needs;
# both install what is missing first.

BUILD_DIR    ?= build
ASAN_DIR     ?= build-asan
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60
BENCH_QUICK  ?=

GENERATOR = $(if $(shell command -v ninja 2>/dev/null),-G Ninja,)
# Debian's hardening flags (PIE, full RELRO with BIND_NOW, stack protector,
# fortify, format security), read when a recipe runs, after install-deps;
# plus what newer Debian adds and hardening-check looks for: fortify level 3,
# stack clash protection and control-flow protection.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
EXTRA_HARDENING = -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3 -fstack-clash-protection -fcf-protection
HARDENED  = -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS) $(EXTRA_HARDENING)" \
            -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"

.PHONY: all deps build run test test-asan fuzz deb bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) $(HARDENED)
	cmake --build $(BUILD_DIR)

run: build
	@scripts/run-app $(BUILD_DIR)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure

test-asan: deps
	cmake -S . -B $(ASAN_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTARVELO_SANITIZE=ON -DTARVELO_BUILD_BENCH=OFF
	cmake --build $(ASAN_DIR)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir $(ASAN_DIR) --output-on-failure

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVELO_FUZZ=ON
	cmake --build $(FUZZ_DIR)
	scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

deb: build
	cd $(BUILD_DIR) && cpack -G DEB
	scripts/check-deb $(BUILD_DIR)/tarvelo_*_amd64.deb

bench: build
	scripts/run-bench $(BUILD_DIR) $(BENCH_QUICK)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
