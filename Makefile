# Folimo's front door. `make test` is what CI runs; `make demo` makes a real listing set.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan

.PHONY: deps build test asan demo bench format clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DFOLIMO_SANITIZE=ON -DFOLIMO_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The main job: a complete listing set of the built-in sample pack, in ./demo-output/.
demo: build
	@mkdir -p demo-output
	@$(BUILD)/bin/folimo-cli make --sample -o demo-output

# Speed and memory: the Google Benchmark programs, then a whole set against the shell pipeline.
bench: build
	@for b in $(BUILD)/bin/*_bench; do echo "== $$b"; $$b; done
	@bench/export-vs-peer $(BUILD)

format:
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD)
