# Vemo: the two commands of the project (see README.md).
SHELL := /bin/bash
FUZZ_SECONDS ?= 20
MAKEFLAGS += --no-print-directory

.PHONY: all deps build build-host build-win32 test test-host test-win32 fuzz run bench clean

all: build

deps:
	@scripts/install-deps.sh

build-host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

build-win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

build: build-host build-win32

test-host: build-host
	ctest --preset host

test-win32: build-win32
	scripts/wine-tests.sh

test: build
	@start=$$(date +%s); \
	ctest --preset host && scripts/wine-tests.sh && scripts/fuzz.sh $(FUZZ_SECONDS); \
	rc=$$?; echo "make test: $$(( $$(date +%s) - start )) s of tests, exit $$rc"; exit $$rc

fuzz: build-host
	scripts/fuzz.sh 60

run: deps
	scripts/run.sh

bench: deps
	scripts/bench.sh

clean:
	rm -rf build
