# Set-up, build, run and test in one step each on a fresh Debian machine.
# The CMake project underneath can be used directly; see README.md.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Debian packages the build and the tests need: Qt 6 for the window program,
# Xvfb and Xlib for the test that runs it on a real X server, and the tools
# the packaging test uses.
PACKAGES := cmake g++ make libgtest-dev qt6-base-dev xvfb libx11-dev \
            dpkg-dev file desktop-file-utils man-db groff-base

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build run test test-sanitize package clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# A window where there is a display, console output where there is none.
run: build
	$(BUILD_DIR)/quorvane examples/blink.asm
	@cat examples/blink.map

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DQUORVANE_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) build-fuzz
