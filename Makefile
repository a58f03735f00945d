# `make run` builds and starts the calculator; `make test` builds and runs every test.
# Both install what is missing first (scripts/install-deps.sh).
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: deps configure build run test bench clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/tallix-cli eval "2(3+4)^2/7"

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/tallix_bench

clean:
	rm -rf $(BUILD)
