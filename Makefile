# The two everyday commands: `make run` and `make test`. Both install what is
# missing, configure and build first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench package clean

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

# The Debian package, built and checked (contents, Depends, lintian) by the
# test labelled "package"; it is left in $(BUILD)/package.
package: build
	@cd $(BUILD) && ctest --output-on-failure -L package

bench: build
	@$(BUILD)/bench/tallyra_bench --benchmark_counters_tabular=true $(BENCH_ARGS)

clean:
	@rm -rf $(BUILD)
