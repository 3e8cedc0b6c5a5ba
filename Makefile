# Kavendor: `make demo` and `make test` set up a fresh machine themselves.
BUILD      ?= build
ASAN_BUILD ?= build-sanitize
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
BENCH_ARGS ?=
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja

SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

.PHONY: all setup build test sanitize bench fuzz format demo clean screenshots package

all: build

setup:
	@bash scripts/setup.sh

$(BUILD)/build.ninja: | setup
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitize: setup
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAV_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --output-on-failure -j $(JOBS)

# Every program $(BENCH_BUILD)/bench/*_bench runs in turn (BENCH_ARGS go to each, e.g.
# BENCH_ARGS=--benchmark_min_time=0.1 for a quick look); each writes its figures to
# $(BENCH_BUILD)/results/<name>.json, and one table of them all ends the run (also in results/summary.txt).
# The soaks run after them (memory must stay bounded; the web view must hold under attack). A failing program does not hide the
# figures of the others, but fails the target.
bench: setup
	cmake -S . -B $(BENCH_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DKAV_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@mkdir -p $(BENCH_BUILD)/results && rm -f $(BENCH_BUILD)/results/*.json
	@status=0; for b in $(BENCH_BUILD)/bench/*_bench; do \
		name=$$(basename $$b); echo "== $$name"; \
		$$b --benchmark_out=$(BENCH_BUILD)/results/$$name.json --benchmark_out_format=json $(BENCH_ARGS) \
			|| { echo "== $$name failed" >&2; status=1; }; \
	done; \
	echo "== garbage_soak (100 rounds of 10 MB random bytes and 1 MB lines)"; \
	$(BENCH_BUILD)/bench/garbage_soak > $(BENCH_BUILD)/results/garbage_soak.txt \
		|| { echo "== garbage_soak failed" >&2; status=1; }; \
	tail -n 2 $(BENCH_BUILD)/results/garbage_soak.txt; \
	echo "== long_race_soak (an hour of 100 cars through the main window with ten result windows)"; \
	$(BENCH_BUILD)/bench/long_race_soak > $(BENCH_BUILD)/results/long_race_soak.txt \
		|| { echo "== long_race_soak failed" >&2; status=1; }; \
	tail -n 2 $(BENCH_BUILD)/results/long_race_soak.txt; \
	echo "== web_attack_soak (20000 rounds of WebSocket churn, floods and 400 slow clients against the program)"; \
	/usr/bin/python3 tests/web/attack_test.py $(BENCH_BUILD)/src/app/kavendor $(BENCH_BUILD)/tools/feed/kavendor-feed 20000 \
		> $(BENCH_BUILD)/results/web_attack_soak.txt 2>&1 || { echo "== web_attack_soak failed" >&2; status=1; }; \
	grep -E '^(figure|OK|FAILED)' $(BENCH_BUILD)/results/web_attack_soak.txt; \
	python3 scripts/bench_summary.py $(BENCH_BUILD)/results || status=1; \
	exit $$status

fuzz: setup
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAV_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@# Each target NAME_fuzz learns into build-fuzz/corpus/NAME, seeded from fuzz/corpus/NAME.
	@for f in $(FUZZ_BUILD)/fuzz/*_fuzz; do \
		name=$$(basename $$f _fuzz); mkdir -p $(FUZZ_BUILD)/corpus/$$name fuzz/corpus/$$name; \
		echo "== $$name: $(FUZZ_SECONDS) s"; \
		$$f -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ_BUILD)/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

# Every window and dialog rendered offscreen into $(BUILD)/screenshots/*.png, and every page of the
# web view as chromium shows it (web_*.png).
screenshots: build
	$(BUILD)/tools/screenshots/kavendor-screenshots $(BUILD)/screenshots
	/usr/bin/python3 tools/screenshots/web_screenshots.py $(BUILD)

# A Debian package of the program: $(BUILD)/kavendor_<version>_<architecture>.deb.
package: build
	cmake --build $(BUILD) --target package

format:
	clang-format -i $(SOURCES)

# The race simulator on localhost:50000 and the program on it with the configuration in demo/.
demo: build
	@bash scripts/demo.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
