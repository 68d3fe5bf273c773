# Tarvelo's front door. `make run` and `make test` are all a newcomer needs;
# each installs what it is missing first, and no more than it needs.

BUILD_DIR    ?= build
ASAN_DIR     ?= build-asan
FUZZ_DIR     ?= build-fuzz
WINDOWS_DIR  ?= build-windows
FUZZ_SECONDS ?= 60
# Which fuzz targets `make fuzz` runs, FUZZ_SECONDS each.
FUZZ_TARGETS ?= calculation fieldtext window
BENCH_QUICK  ?=
# ON turns compiler warnings into errors (CI).
WERROR       ?= OFF
ORCA_CHECK_RUNS ?= 1
# What `make test-trixie` makes inside Debian 13.
TRIXIE_TARGETS ?= test deb

# Builds of one commit are byte-identical: rcc and CPack date what they write
# by the commit, not by the clock. Without git they date it by the clock
# (lintian refuses files dated 1970).
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

# Each step prints one line; its full output stays in a log under the build
# folder, and is shown when the step fails.
QUIETLY = scripts/quietly

# install-deps brings Ninja before any configure; deciding by what is
# installed when make reads this file would change generators on a fresh machine.
GENERATOR = -G Ninja
# Debian's hardening flags (PIE, full RELRO with BIND_NOW, stack protector,
# fortify, format security), read when a recipe runs, after install-deps; plus
# fortify level 3, stack clash and control-flow protection, which newer Debian
# releases turn on by default. Debian's -O2 is the one optimisation level:
# CMake's Release adds only NDEBUG.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
EXTRA_HARDENING = -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3 -fstack-clash-protection -fcf-protection
HARDENED  = -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
            -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS) $(EXTRA_HARDENING)" \
            -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)" \
            -DTARVELO_WERROR=$(WERROR)

.PHONY: all run test test-asan fuzz format deb bench windows test-trixie orca-check clean

all: run

# The program alone: no test, benchmark or fuzz target.
$(BUILD_DIR)/app/tarvelo: FORCE
	@scripts/install-deps run
	@$(QUIETLY) $(BUILD_DIR)/configure.log "configuring $(BUILD_DIR)" \
		cmake -S . -B $(BUILD_DIR) $(GENERATOR) $(HARDENED) -DBUILD_TESTING=OFF -DTARVELO_BUILD_BENCH=OFF
	@$(QUIETLY) $(BUILD_DIR)/build.log "building the program" cmake --build $(BUILD_DIR) --target tarvelo

run: $(BUILD_DIR)/app/tarvelo
	@scripts/run-app $(BUILD_DIR)

test:
	@scripts/install-deps run test
	@$(QUIETLY) $(BUILD_DIR)/configure.log "configuring $(BUILD_DIR)" \
		cmake -S . -B $(BUILD_DIR) $(GENERATOR) $(HARDENED) -DBUILD_TESTING=ON -DTARVELO_BUILD_BENCH=OFF
	@$(QUIETLY) $(BUILD_DIR)/build.log "building the program and its tests" cmake --build $(BUILD_DIR)
	@scripts/run-tests $(BUILD_DIR)

test-asan:
	@scripts/install-deps run test
	@$(QUIETLY) $(ASAN_DIR)/configure.log "configuring $(ASAN_DIR)" \
		cmake -S . -B $(ASAN_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTARVELO_SANITIZE=ON -DTARVELO_WERROR=$(WERROR)
	@$(QUIETLY) $(ASAN_DIR)/build.log "building the tests with the sanitizers" cmake --build $(ASAN_DIR)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp scripts/run-tests $(ASAN_DIR)

fuzz:
	@scripts/install-deps run fuzz
	@CC=clang CXX=clang++ $(QUIETLY) $(FUZZ_DIR)/configure.log "configuring $(FUZZ_DIR)" \
		cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVELO_FUZZ=ON
	@$(QUIETLY) $(FUZZ_DIR)/build.log "building the fuzz targets" cmake --build $(FUZZ_DIR)
	scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The sources in the style of .clang-format, in place.
format:
	@scripts/install-deps format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

deb: $(BUILD_DIR)/app/tarvelo
	@scripts/install-deps run deb
	@$(QUIETLY) $(BUILD_DIR)/docs.log "building the documents" cmake --build $(BUILD_DIR) --target tarvelo_docs
	@$(QUIETLY) $(BUILD_DIR)/cpack.log "making the package" sh -c 'cd $(BUILD_DIR) && cpack -G DEB'
	scripts/check-deb $(BUILD_DIR)/tarvelo_*_amd64.deb

bench:
	@scripts/install-deps run bench
	@$(QUIETLY) $(BUILD_DIR)/configure.log "configuring $(BUILD_DIR)" \
		cmake -S . -B $(BUILD_DIR) $(GENERATOR) $(HARDENED) -DTARVELO_BUILD_BENCH=ON
	@$(QUIETLY) $(BUILD_DIR)/build.log "building the benchmarks" cmake --build $(BUILD_DIR)
	scripts/run-bench $(BUILD_DIR) $(BENCH_QUICK)

# Tarvelo.exe for 64-bit Windows, its tests under Wine, a zip and a setup
# program in $(WINDOWS_DIR)/dist. The first run builds a static Qt for
# Windows into ~/.cache/tarvelo (30-40 minutes on two cores).
windows:
	@scripts/install-deps run windows
	@WERROR=$(WERROR) scripts/build-windows $(WINDOWS_DIR)

# What the Orca screen reader says as a user types, retypes and opens boxes
# (as root: installs Orca); ORCA_CHECK_RUNS=10 runs it ten times.
orca-check: $(BUILD_DIR)/app/tarvelo
	ORCA_CHECK_RUNS=$(ORCA_CHECK_RUNS) scripts/orca-check $(BUILD_DIR)

# `make test` and `make deb` on a clean clone of HEAD inside a throwaway
# Debian 13 root (as root).
test-trixie:
	scripts/test-trixie $(TRIXIE_TARGETS) WERROR=$(WERROR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) $(WINDOWS_DIR)

FORCE:
