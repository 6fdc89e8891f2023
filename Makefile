# The two set-up commands: `make run` builds and starts the program, `make test` builds
# and runs every test. Both install missing Debian packages first.

JOBS ?= 2
# ccache (installed with the dependencies) lets rebuilds and fresh clones side by side share
# compiled objects: paths below the clones' parent folder are hashed relative to the build,
# and precompiled headers are cached too.
CCACHE := $(shell command -v ccache 2>/dev/null)
export CCACHE_BASEDIR ?= $(abspath $(CURDIR)/..)
export CCACHE_NOHASHDIR ?= 1
export CCACHE_SLOPPINESS ?= pch_defines,time_macros,include_file_mtime,include_file_ctime
# The launcher carries the same settings, so a build run with `cmake --build` outside make
# shares the cache too.
LAUNCHER = /usr/bin/env;CCACHE_BASEDIR=$(CCACHE_BASEDIR);CCACHE_NOHASHDIR=$(CCACHE_NOHASHDIR);CCACHE_SLOPPINESS=$(CCACHE_SLOPPINESS);$(CCACHE)
CMAKE_GEN = -G Ninja $(if $(CCACHE),"-DCMAKE_CXX_COMPILER_LAUNCHER=$(LAUNCHER)" "-DCMAKE_C_COMPILER_LAUNCHER=$(LAUNCHER)")
RELEASE = build/release
TEST = build/test
BENCH = build/bench
FUZZ = build/fuzz

# `make install` puts the program below PREFIX (DESTDIR for staging); `make package` builds
# the Debian package build/release/lumivista_<version>_<arch>.deb.
PREFIX ?= /usr/local

.PHONY: all deps build run test-build test test-long bench fuzz fuzz-run install package clean

all: build

deps:
	@scripts/install-deps.sh

$(RELEASE)/build.ninja:
	cmake -S . -B $(RELEASE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DLV_BUILD_TESTS=OFF

build: deps $(RELEASE)/build.ninja
	cmake --build $(RELEASE) -j $(JOBS)

run: build
	$(RELEASE)/program/lumivista

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE) --prefix "$(PREFIX)"

package: build
	cd $(RELEASE) && cpack -G DEB

# The sanitizers with light optimisation and line tables only: enough for their reports, and
# half the compile time of full debug information.
$(TEST)/build.ninja:
	cmake -S . -B $(TEST) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1" -DCMAKE_C_FLAGS="-O1" \
	  -DCMAKE_CXX_FLAGS_DEBUG="-g1" -DCMAKE_C_FLAGS_DEBUG="-g1" -DLV_SANITIZE=ON

# Tests labelled `long` (large photos, minutes each) run only with `make test-long`.
test-build: deps $(TEST)/build.ninja
	cmake --build $(TEST) -j $(JOBS)

test: test-build
	cd $(TEST) && ctest --output-on-failure -j $(JOBS) -LE long

test-long: deps $(TEST)/build.ninja
	cmake --build $(TEST) -j $(JOBS)
	cd $(TEST) && ctest --output-on-failure -L long

$(BENCH)/build.ninja:
	cmake -S . -B $(BENCH) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DLV_BUILD_TESTS=OFF -DLV_BUILD_BENCH=ON

bench: deps $(BENCH)/build.ninja
	cmake --build $(BENCH) -j $(JOBS)
	@for b in $(BENCH)/bench/*_bench; do echo "== $$b"; $$b; done

$(FUZZ)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLV_BUILD_FUZZERS=ON -DLV_BUILD_TESTS=OFF -DLV_BUILD_APP=OFF

# Builds every libFuzzer target into build/fuzz/fuzz. `make fuzz-run FUZZER=bmp SECONDS=300` runs
# one (every one without FUZZER) over a copy of its seeds with the memory limits below; a
# crash or an allocation beyond the limit is written to build/fuzz/findings.
FUZZ_LIMITS = -rss_limit_mb=512 -malloc_limit_mb=512 -timeout=10
SECONDS ?= 120
fuzz: deps $(FUZZ)/build.ninja
	cmake --build $(FUZZ) -j $(JOBS)

fuzz-run: fuzz
	@mkdir -p $(FUZZ)/findings
	@for f in $(if $(FUZZER),$(FUZZ)/fuzz/$(FUZZER)_fuzzer,$(FUZZ)/fuzz/*_fuzzer); do \
	  name=$$(basename $$f _fuzzer); seeds=fuzz/corpus/$$name; \
	  case $$name in gif_stream) seeds=fuzz/corpus/gif;; esac; \
	  mkdir -p $(FUZZ)/corpus/$$name && cp -n $$seeds/* $(FUZZ)/corpus/$$name/ 2>/dev/null; \
	  echo "== $$name"; \
	  $$f $(FUZZ_LIMITS) -max_total_time=$(SECONDS) -artifact_prefix=$(FUZZ)/findings/$$name- \
	    $(FUZZ)/corpus/$$name $$seeds || exit 1; \
	done

clean:
	rm -rf build
