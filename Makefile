# Tarsek: two commands do everything on a fresh machine: `make run` and `make test`.
BUILD     ?= build
BUILDTYPE ?= RelWithDebInfo
JOBS      ?= $(shell nproc)
DEPS := cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev libgtest-dev libgmock-dev \
        clang-format clang-tidy libbenchmark-dev libfmt-dev nlohmann-json3-dev libcli11-dev fonts-wqy-microhei xvfb \
        xauth poppler-utils libxlsxwriter-dev libpugixml-dev libminizip-dev qt6-tools-dev \
        qt6-tools-dev-tools libqt6sql6-sqlite libsleef-dev desktop-file-utils appstream lintian \
        dpkg-dev fakeroot file pkgconf librsvg2-bin
# A compiler cache, when the machine has one, makes rebuilds in fresh clones cheap.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

PKGBUILD  ?= build-package
# What `make check` runs, in order: the cheap check first; further checks join this list.
CHECKS    := check-format check-install check-asan

.PHONY: deps configure build test bench run screenshots format tidy clean package lint-package \
        check $(CHECKS)

# Installs only what is missing; with everything present it touches no network.
deps:
	@missing=""; for p in $(DEPS); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILDTYPE) -DWERROR=ON $(LAUNCHER) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

bench: build
	@cmake --build $(BUILD) --target bench

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set): try 'make screenshots' for PNGs of every view."; \
	else \
	  $(BUILD)/bin/tarsek; \
	fi

screenshots: build
	@mkdir -p $(BUILD)/screenshots
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bin/tarsek --screenshots $(BUILD)/screenshots
	@ls $(BUILD)/screenshots

# The Debian package: a release build for /usr with Debian's hardening flags, packed by CPack
# with its dependencies worked out from the shared libraries, then checked by lintian.
package: deps
	@eval "$$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"; \
	  CXXFLAGS="$$CXXFLAGS $$CPPFLAGS" cmake -S . -B $(PKGBUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_INSTALL_PREFIX=/usr -DTARSEK_TESTS=OFF $(LAUNCHER) > /dev/null
	@cmake --build $(PKGBUILD) -j $(JOBS)
	@cd $(PKGBUILD) && cpack -G DEB > cpack.log && ls -1 $(CURDIR)/$(PKGBUILD)/tarsek_*.deb
	@$(MAKE) --no-print-directory lint-package

lint-package:
	@lintian --info --fail-on error,warning $(PKGBUILD)/tarsek_*.deb && echo "lintian: clean"

# Checks beyond the test suite; `make check` runs every one of CHECKS.
check: $(CHECKS)

check-install: build
	@scripts/check-install.sh $(BUILD)

# Every tracked source as `make format` would leave it; the first file out of shape fails.
check-format: deps
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror && echo "clang-format: clean"

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, without the
# benchmarks; a leak, a bad access or undefined behaviour fails the test it happens in.
check-asan: deps
	@cmake --preset asan $(LAUNCHER) > /dev/null  # configures build-asan
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

format:
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i

# The checks in .clang-tidy over the core and the command-line program (the windows are left
# out: their moc output and Qt's macros drown the findings that matter).
tidy: configure
	@run-clang-tidy -quiet -j $(JOBS) -p $(BUILD) '$(CURDIR)/src/(?!ui/)'

clean:
	rm -rf $(BUILD) build-asan
