# The two everyday commands: `make run` and `make test`. Both install what is
# missing, configure and build first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test check soak fuzz bench package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-demo $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE package

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# in a folder of its own; any finding fails the test it happens in.
CHECK_BUILD ?= build-check
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

check: deps
	@cmake -S . -B $(CHECK_BUILD) -DTALLYRA_SANITIZE=ON -DTALLYRA_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(CHECK_BUILD) -j $(JOBS)
	@cd $(CHECK_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) -LE package

# A seeded random workload through the logic, the book checked every 1,000
# operations; SEED= repeats a run, OPS= sets its length.
OPS ?= 100000
SEED ?=
soak: build
	@$(BUILD)/tests/soak/tallyra_soak --ops $(OPS) $(if $(SEED),--seed $(SEED))

# The libFuzzer programs (clang only), each run for FUZZ_SECONDS under ASan and
# UBSan; new coverage is merged into tests/fuzz/corpus.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= vcard filter qif csv ofx backup
fuzz: deps
	@command -v clang++ >/dev/null || { echo "make fuzz needs clang++ (Debian: apt-get install clang)" >&2; exit 1; }
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DTALLYRA_FUZZ=ON -DTALLYRA_BENCH=OFF -DTALLYRA_GUI=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@tests/fuzz/campaign.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The Debian package, built and checked (contents, Depends, lintian) by the
# test labelled "package"; it is left in $(BUILD)/package.
package: build
	@cd $(BUILD) && ctest --output-on-failure -L package

bench: build
	@$(BUILD)/bench/tallyra_bench --benchmark_counters_tabular=true $(BENCH_ARGS)

clean:
	@rm -rf $(BUILD)
