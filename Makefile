# Front door over CMake. `make run` evaluates the bundled example; `make test` builds and runs
# the whole suite twice, as a release build (g++) and with sanitizers (clang), then the batch's
# tests under ThreadSanitizer and the golden cases against the Windows build under Wine; `make
# view` draws the example failure.
#
# Each build folder has one target that configures it, and no other target changes its options.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
RELEASE := build/release
SANITIZE := build/sanitize
TSAN := build/tsan
WINDOWS := build/windows
COVERAGE := build/coverage
FUZZ := build/fuzz
FUZZ_WAYS := build/fuzz-ways
WEB_BUILD := build/emscripten
WEB := build/web
BIN := $(RELEASE)/Ozi18Zelmiranke
VIEW := $(RELEASE)/zelmiranke-view
# Debian's emscripten runs its optimiser with the system's Node.js, which finds acorn here.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs

.PHONY: all build run view install clean \
  test test-release test-sanitize test-tsan windows test-windows web test-web coverage \
  dist test-dist test-bare test-package test-contents \
  bench-tools bench bench-compare bench-bounds bench-web bench-batch \
  fuzz fuzz-ways mutants

# ---- The programs -------------------------------------------------------------------------

all: build

$(RELEASE)/CMakeCache.txt:
	cmake -S . -B $(RELEASE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++

build: $(RELEASE)/CMakeCache.txt
	cmake --build $(RELEASE) -j $(JOBS) --target Ozi18Zelmiranke zelmiranke-view zelmiranke-judge

run: build
	$(BIN) eval examples/input.txt examples/submission.txt $(RELEASE)/example-report.txt
	@cat $(RELEASE)/example-report.txt

view: build
	$(VIEW) examples/view-input.txt examples/view-submission.txt $(RELEASE)/example-view.svg
	@echo "picture: $(RELEASE)/example-view.svg"

install: build
	cmake --install $(RELEASE)

clean:
	rm -rf build dist

# ---- Tests --------------------------------------------------------------------------------

test: test-release test-sanitize test-tsan test-windows

# The suites require the unit tests: without GoogleTest they fail instead of testing less.
test-release: $(RELEASE)/CMakeCache.txt
	cmake --build $(RELEASE) -j $(JOBS)
	@test -x $(RELEASE)/tests/eval_tests || { echo "make test-release: the unit tests were not" \
	  "built: GoogleTest was not found (Debian package libgtest-dev)"; exit 1; }
	cd $(RELEASE) && ctest --output-on-failure -j $(JOBS)

$(SANITIZE)/CMakeCache.txt:
	cmake -S . -B $(SANITIZE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	  -DZEL_SANITIZE=ON -DZEL_UNIT_TESTS=ON

test-sanitize: $(SANITIZE)/CMakeCache.txt
	cmake --build $(SANITIZE) -j $(JOBS)
	cd $(SANITIZE) && ctest --output-on-failure -j $(JOBS)

# The batch's threads under ThreadSanitizer (clang): its unit tests, and the batch against the
# evaluator file by file and as a program, in a build of only what they run.
$(TSAN)/CMakeCache.txt:
	cmake -S . -B $(TSAN) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DZEL_TSAN=ON -DZEL_UNIT_TESTS=ON

test-tsan: $(TSAN)/CMakeCache.txt
	cmake --build $(TSAN) -j $(JOBS) --target judge_tests zelmiranke-judge Ozi18Zelmiranke
	cd $(TSAN) && ctest --output-on-failure -j $(JOBS) -R '^(Batch|judge/batch)'

windows:
	cmake -S . -B $(WINDOWS) $(GENERATOR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DZEL_UNIT_TESTS=OFF
	cmake --build $(WINDOWS) -j $(JOBS)

test-windows:
	bash tests/windows.sh $(WINDOWS)

# The page that checks a submission in the browser, in build/web/ with the evaluator as a
# Node.js command (zelmiranke-cli.js), built with emscripten.
web:
	@command -v emcmake >/dev/null || { echo "make web: emscripten is not installed (Debian package emscripten)"; exit 1; }
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DZEL_UNIT_TESTS=OFF -DZEL_TEST_EMULATOR=node -DZEL_WEB_OUTPUT=$(CURDIR)/$(WEB) >/dev/null
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

# The golden cases against the Node.js command, and the page in headless Chromium; each part
# says SKIPPED when what it needs is not installed.
test-web:
	@if ! command -v emcmake >/dev/null || ! command -v node >/dev/null; then \
	  echo "SKIPPED: make test-web needs emscripten and Node.js (Debian packages emscripten, nodejs)"; \
	else \
	  command -v chromium >/dev/null || command -v chromium-browser >/dev/null || \
	    echo "SKIPPED: the page's tests in Chromium: Chromium is not installed (Debian package chromium)"; \
	  $(MAKE) web && cd $(WEB_BUILD) && ctest --output-on-failure -j $(JOBS); \
	fi

# Line and branch coverage per layer of the whole suite (unit tests, golden cases, randomized
# comparisons), with gcovr; the last line is the core's.
coverage:
	cmake -S . -B $(COVERAGE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ \
	  -DZEL_COVERAGE=ON
	cmake --build $(COVERAGE) -j $(JOBS)
	find $(COVERAGE) -name '*.gcda' -delete
	cd $(COVERAGE) && ctest -j $(JOBS) --output-on-failure
	bash tests/coverage.sh $(COVERAGE)

# ---- Shipping -----------------------------------------------------------------------------

# What grading machines get, in dist/: static stripped programs for Linux and Windows, the
# Debian package and SHA256SUMS. The golden cases run against the static Linux build first.
dist:
	JOBS=$(JOBS) bash packaging/dist.sh

# The shipped programs on bare systems: alone in an empty root, and installed from the package
# into a minimal Debian tree (kept in build/debootstrap; skipped when the mirror is unreachable);
# and the package's contents, with lintian when it is installed.
test-dist: test-bare test-package test-contents

test-bare: dist
	bash tests/dist/bare_root.sh dist build/bare-root

test-package: dist
	bash tests/dist/package_install.sh dist build/debootstrap

test-contents: dist
	bash tests/dist/package_contents.sh dist build/package-contents

# ---- Benchmarks (bench/README.md) ---------------------------------------------------------

# `make bench` prints the performance table, `make bench-compare BASE=<revision>` (default
# main) compares with that revision's evaluator; both take WORKLOADS="rows random" to run only
# those, and RUNS=3 for fewer runs than seven. The tools are built in the release build.
BASE ?= main

bench-tools: $(RELEASE)/CMakeCache.txt
	cmake --build $(RELEASE) -j $(JOBS) --target Ozi18Zelmiranke bench_generate bench_measure bench_floor

bench: bench-tools
	bash bench/run.sh $(RELEASE) $(WORKLOADS)

bench-compare: bench-tools
	JOBS=$(JOBS) bash bench/compare.sh $(RELEASE) $(BASE) $(WORKLOADS)

bench-bounds: bench-tools
	RUNS=1 bash bench/run.sh $(RELEASE) hugeline hugeinput

# zelmiranke-judge batch on 200 submissions of the realistic workload (COUNT=n for another
# number) with 1 and 2 jobs, against a shell loop over the evaluator, taking turns.
bench-batch: bench-tools
	cmake --build $(RELEASE) -j $(JOBS) --target zelmiranke-judge
	bash bench/batch.sh $(RELEASE) $(COUNT)

# The page in headless Chromium against the native evaluator, taking turns, on the realistic
# workload and 480 MB of long rectangle lines (or WORKLOADS="name ..."), with its renderer's
# memory; then the page's frames on a picture of a million rectangles.
bench-web: bench-tools web
	bash -c 'source bench/workloads.sh && dirs=() && \
	  for name in $(or $(WORKLOADS),realistic long); do dirs+=("$$(workload_dir $(RELEASE) $$name)") || exit 1; done && \
	  python3 bench/web.py $(WEB) $(RELEASE)/Ozi18Zelmiranke build/bench-web $${RUNS:-7} "$${dirs[@]}"'

# ---- Fuzzing and mutation testing ---------------------------------------------------------

FUZZ_TIME ?= 60

$(FUZZ)/CMakeCache.txt:
	cmake -S . -B $(FUZZ) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DZEL_FUZZ=ON -DZEL_TESTS=OFF

fuzz: $(FUZZ)/CMakeCache.txt
	cmake --build $(FUZZ) -j $(JOBS)
	bash fuzz/run.sh $(FUZZ) $(FUZZ_TIME)

# How often fuzz/corpus/cover/ reaches each way of deciding a block and of checking white
# cells, counted by clang's coverage counters in a build of its own.
fuzz-ways:
	cmake -S . -B $(FUZZ_WAYS) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DZEL_FUZZ=ON -DZEL_TESTS=OFF "-DCMAKE_CXX_FLAGS=-fprofile-instr-generate -fcoverage-mapping" \
	  -DCMAKE_EXE_LINKER_FLAGS=-fprofile-instr-generate >/dev/null
	cmake --build $(FUZZ_WAYS) -j $(JOBS) --target fuzz_cover
	python3 fuzz/way_counts.py $(FUZZ_WAYS) fuzz/corpus/cover

# Mutation testing of src/base and src/eval against the unit tests and the golden cases
# (docs/design.md, Tests): SAMPLE mutants drawn with SEED; takes hours, not part of `make test`.
# MUTANTS_ARGS=--survivors tries again only the survivors of the runs so far.
SAMPLE ?= 400
SEED ?= 1

mutants:
	python3 tests/mutants.py --sample $(SAMPLE) --seed $(SEED) --jobs $(JOBS) --build build/mutants $(MUTANTS_ARGS)
