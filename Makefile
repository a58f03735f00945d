# `make run` builds and starts the calculator; `make test` builds and runs every test.
# Both install what is missing first (scripts/install-deps.sh).
BUILD ?= build
JOBS  ?= $(shell nproc)
# WERROR=ON stops the build on any warning in our own code (CI sets it).
WERROR ?= OFF

.PHONY: deps configure build run test bench deb clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTALLIX_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Without a display (neither DISPLAY nor WAYLAND_DISPLAY set) the window cannot
# open: say so and write pictures of the five modes instead.
SNAPSHOTS ?= snapshots
run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
		$(BUILD)/app/tallix; \
	else \
		echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): writing the window's pictures to $(SNAPSHOTS)/ instead."; \
		$(BUILD)/app/tallix-cli snapshot $(SNAPSHOTS); \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/tallix_bench

# The Debian package, $(BUILD)/tallix_<version>_<arch>.deb.
deb: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
