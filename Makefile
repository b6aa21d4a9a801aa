# Thin wrapper: installs what is missing, then CMake does the work.
BUILD ?= build
JOBS  ?= $(shell nproc)
ASAN_OPTIONS  ?= detect_leaks=1:abort_on_error=0:halt_on_error=1
UBSAN_OPTIONS ?= print_stacktrace=1:halt_on_error=1
LSAN_OPTIONS  ?= suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0
# The static Qt for Windows, built once by make windows and kept across make clean.
WINDOWS_CACHE ?= $(HOME)/.cache/zivor-windows
# The static Qt for the browser, built once by make web and kept across make clean.
WEB_CACHE ?= $(HOME)/.cache/zivor-web

.PHONY: run test build clean bench deb debtest windows test-windows web test-web scorm test-scorm bench-web profil-web

run:
	sh scripts/pakete.sh run
	cmake -S . -B $(BUILD) -DBUILD_TESTING=OFF
	cmake --build $(BUILD) -j $(JOBS) --target zivor
	sh scripts/starten.sh $(BUILD)/zivor

# All tests, then all tests again built with AddressSanitizer and UndefinedBehaviorSanitizer.
test:
	sh scripts/pakete.sh
	cmake -S . -B $(BUILD) -DBUILD_TESTING=ON -DZIVOR_SANITIZE=OFF
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(BUILD)-san -DBUILD_TESTING=ON -DZIVOR_SANITIZE=ON
	cmake --build $(BUILD)-san -j $(JOBS)
	cd $(BUILD)-san && ASAN_OPTIONS=$(ASAN_OPTIONS) UBSAN_OPTIONS=$(UBSAN_OPTIONS) \
	  LSAN_OPTIONS=$(LSAN_OPTIONS) ctest --output-on-failure -j $(JOBS)
	$(MAKE) debtest

build:
	sh scripts/pakete.sh
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS)

# The Debian package dist/zivor_<version>_<arch>.deb, built by dpkg-buildpackage in $(BUILD)/deb.
deb:
	sh scripts/pakete.sh deb
	sh scripts/deb.sh $(BUILD)/deb $(JOBS)

# The package's checks; installing, starting and purging it need root (OHNE_ROOT=1 leaves them out).
debtest:
	sh scripts/pakete.sh debtest
	sh scripts/deb.sh $(BUILD)/deb $(JOBS)
	sh tests/paket.sh $(if $(OHNE_ROOT),--ohne-root)

clean:
	rm -rf $(BUILD)

# One drag step, one slider step and the first frame, measured offscreen.
bench:
	sh scripts/pakete.sh
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS) --target zivor_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/zivor_bench -minimumtotal 2000

# make test on a fresh minimal Debian 13 in a chroot, as root (the committed checkout).
.PHONY: test-debian13
test-debian13:
	sh scripts/debian13.sh

# dist/zivor.exe and dist/zivor-<version>-setup.exe, cross-built with a static Qt from Debian's
# sources (the first run builds that Qt into $(WINDOWS_CACHE), which takes a while).
windows:
	sh scripts/pakete.sh windows
	sh scripts/windows.sh $(BUILD) $(BUILD)-windows $(WINDOWS_CACHE) $(JOBS)

# The Windows program and its installer under Wine on a virtual X display; not part of make test.
test-windows: windows
	cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j $(JOBS) --target test_wine
	sh tests/bildschirm/mit_bildschirm.sh -- env QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY= $(BUILD)/tests/wine/test_wine

# dist/web/: Zivor for the browser, built in a Debian 13 environment with its emscripten against a
# static Qt for WebAssembly from Debian's sources (the first run makes the environment and builds
# that Qt into $(WEB_CACHE), which takes a while; needs root or sudo for the environment).
web:
	sh scripts/pakete.sh web
	sh scripts/web.sh $(BUILD) $(BUILD)-web $(WEB_CACHE) $(JOBS)

# dist/zivor-scorm12.zip: the page of dist/web/ as a SCORM 1.2 package for Moodle and ILIAS.
scorm: web
	cmake -DSEITE=dist/web -DZIEL=$(BUILD)-web/lernpaket -DPAKET=dist/zivor-scorm12.zip -P web/lernpaket.cmake

# dist/web/ and the package served on 127.0.0.1 and checked in Debian's Chromium, Firefox ESR and
# WebKitGTK, driven by puppeteer-core from the npm registry and by WebKitWebDriver, heard with Orca
# reading Chromium, and the package played by scorm-again's SCORM 1.2 runtime from the npm registry
# (tests/web/); not part of make test. make test-scorm checks the package alone.
test-web: scorm
	sh scripts/pakete.sh test-web
	cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
	node --test --test-concurrency=1 tests/web/

test-scorm: scorm
	cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
	node --test --test-concurrency=1 tests/web/lernpaket.test.mjs

# Zivor in the browser measured: drag, slider and time-cursor steps at full speed and with the CPU
# slowed four times, at pixel ratio 1 and 2, the first frame and the bytes over the wire (bench/web.mjs).
bench-web: web
	cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
	node bench/web.mjs

# Where the time of a drag goes in the browser: dist/web-profil/ (the program with its functions'
# names) profiled by Chromium's sampling profiler over a drag with the CPU slowed four times, at
# pixel ratio 2; prints the functions that took the most time (bench/web.mjs).
profil-web:
	sh scripts/pakete.sh web
	ZIVOR_PROFIL=1 sh scripts/web.sh $(BUILD) $(BUILD)-web $(WEB_CACHE) $(JOBS)
	cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
	ZIVOR_PROFIL=1 node bench/web.mjs
