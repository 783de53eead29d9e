# Folimo's front door. `make test` is what CI runs; `make demo` makes a real listing set.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
PREFIX ?= /usr/local

.PHONY: deps build test asan tsan demo run install package bench format format-check clean

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

# ThreadSanitizer over the library, the command line, the app's model and their tests.
# Optimised, since its checks slow every memory access; a report fails the program that made
# it. GLib's slice allocator hands memory between threads under locks the sanitizer cannot see,
# so it is told to use malloc.
tsan: deps
	@cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFOLIMO_SANITIZE=thread -DFOLIMO_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS)
	@cd $(TSAN_BUILD) && G_SLICE=always-malloc \
		TSAN_OPTIONS=second_deadlock_stack=1:suppressions=$(CURDIR)/scripts/tsan.supp \
		ctest --output-on-failure -j $(JOBS)

# The main job: a complete listing set of the built-in sample pack, in ./demo-output/.
demo: build
	@mkdir -p demo-output
	@$(BUILD)/bin/folimo-cli make --sample -o demo-output

# The Folimo window; PDFs to open go in ARGS (make run ARGS=worksheets.pdf).
run: build
	@$(BUILD)/bin/folimo $(ARGS)

# The programs, desktop entry, icon, AppStream metainfo and man pages under PREFIX (/usr/local;
# PREFIX=~/.local installs for your account alone, without root).
install: build
	@cmake --install $(BUILD) --prefix "$(PREFIX)"
	@update-desktop-database -q "$(PREFIX)/share/applications" 2>/dev/null || true
	@gtk-update-icon-cache -q -t "$(PREFIX)/share/icons/hicolor" 2>/dev/null || true

# The Debian package, $(BUILD)/folimo_VERSION_ARCH.deb: `sudo apt install ./build/folimo_*.deb`.
package: build
	@cd $(BUILD) && cpack -G DEB

# Speed and memory: the Google Benchmark programs, then a whole set against the shell pipeline.
bench: build
	@for b in $(BUILD)/bin/*_bench; do echo "== $$b"; $$b; done
	@bench/export-vs-peer $(BUILD)
	@bench/extreme-sizes $(BUILD)

format:
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

# Fails, naming each place, where a tracked source file is not as `make format` leaves it.
format-check: deps
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format --dry-run -Werror

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD)
