# The two commands of the README: `make run` and `make test`.
BUILD      ?= build
TEST_BUILD ?= build-test
FUZZ_BUILD ?= build-fuzz
# Parallel jobs of the build and of ctest: JOBS when given, else CMAKE_BUILD_PARALLEL_LEVEL from
# the environment, else one per core.
JOBS       ?= $(or $(CMAKE_BUILD_PARALLEL_LEVEL),$(shell nproc))
FUZZ_SECONDS ?= 20
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: run test setup build build-test bench fuzz fuzz-run clean

setup:
	@bash tools/setup-deps.sh

build: setup
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIV_TESTS=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Builds the program and starts it with its bundled data (from any directory).
run: build
	@$(BUILD)/kiv

build-test: setup
	@cmake -S . -B $(TEST_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DKIV_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)

# The fuzz targets run first, so that the test runner's summary closes the output.
test: build-test
	@$(MAKE) --no-print-directory fuzz-run
	@cd $(TEST_BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS) -LE gl
	@cd $(TEST_BUILD) && if ctest -N -L gl | grep -q 'Total Tests: [1-9]'; then \
	  xvfb-run -a ctest --output-on-failure -L gl; fi

# Under Xvfb when it is there, so that the shell's benchmark can show the globe.
bench: build
	@xvfb=""; command -v xvfb-run >/dev/null && xvfb="xvfb-run -a -s '-screen 0 1920x1200x24'"; \
	for b in $(BUILD)/bench/bench_*; do echo "== $$b"; eval $$xvfb $$b; done

fuzz: setup
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIV_FUZZ=ON -DKIV_TESTS=OFF -DKIV_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Runs every fuzz target for FUZZ_SECONDS on its seed corpus in fuzz/corpus/<name>. New inputs go
# to the build folder; an input that crashes, or makes a reader allocate more than 512 MB at once
# or use more than 2 GB, is left there and belongs in the seed corpus, where the test build
# replays it from then on.
fuzz-run: fuzz
	@for f in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; \
	  name=$${f##*/fuzz_}; mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  echo "fuzzing $$name for $(FUZZ_SECONDS) s"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=30 -artifact_prefix=$(FUZZ_BUILD)/$$name- \
	    $(FUZZ_BUILD)/corpus/$$name fuzz/corpus/$$name >$(FUZZ_BUILD)/fuzz-$$name.log 2>&1 \
	    || { tail -n 40 $(FUZZ_BUILD)/fuzz-$$name.log; exit 1; }; \
	done

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(FUZZ_BUILD)
