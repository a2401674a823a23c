# The two commands of the README: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test install asan-test bench fuzz-smoke clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DXMLSECDB_BENCH=ON $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

run: build
	bash scripts/run-examples.sh $(BUILD)/secdb

test: build
	cd $(BUILD) && ctest --output-on-failure

# `make install PREFIX=/usr DESTDIR=/tmp/pkg`: the tool, the library, its
# headers, CMake and pkg-config files, the man page and the bash completion.
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

asan-test: deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) -G Ninja -DXMLSECDB_SANITIZE=ON
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure

# Generated databases (up to ~2 GB at a time) go to XMLSECDB_BENCH_DIR; the
# benchmark deletes them as it finishes each kind, and the folder at the end.
XMLSECDB_BENCH_DIR ?= /tmp/xmlsecdb-bench-$(shell id -u)
bench: deps
	@[ -f build-bench/build.ninja ] || cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DXMLSECDB_BENCH=ON -DXMLSECDB_TESTS=OFF
	cmake --build build-bench -j2
	mkdir -p $(XMLSECDB_BENCH_DIR)
	XMLSECDB_BENCH_DIR=$(XMLSECDB_BENCH_DIR) ./build-bench/xmlsecdb_bench --benchmark_out=build-bench/results.json --benchmark_out_format=json
	rmdir $(XMLSECDB_BENCH_DIR)
	python3 scripts/bench-table.py build-bench/results.json

fuzz-smoke: deps
	bash scripts/fuzz-smoke.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench build-fuzz
