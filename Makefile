# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Tumbra! developers
#
# make run   installs what is missing, builds, and starts the game
# make test  installs what the tests need from Debian's packages (and the
#            browsers' two test clients from npm), then runs the whole
#            suite, headless: the game built twice (g++, and clang under
#            the sanitizers), the real program under Xvfb, openbox, Weston
#            and Orca; the logic and the solver on s390x and i686 under
#            qemu; the Windows programs under Wine; the browser's page in
#            Chromium, Firefox ESR and WebKitGTK, and its upgrade from the
#            release players hold; the Windows zip and installer, and the Debian
#            package, built as the archive builds it too, with its upgrade
#            from that release (root, or sudo, for the second, varied
#            builds, the clean roots and Debian's archive checks)
.PHONY: all build run test test-debian13 test-build build-sanitize deb \
        package-check bench windows windows-test-build windows-check \
        clean screenshot icons web web-run web-test web-node-modules \
        cross-test-build archive-build

DEPS := scripts/install-deps.sh

all: build

# The game as a player builds it: no test or benchmark tool is installed.
build:
	@$(DEPS) run build
	cmake --preset default
	cmake --build --preset default

run: build
	./build/tumbra

test-build:
	@$(DEPS) run build test
	cmake --preset test
	cmake --build --preset test

build-sanitize:
	@$(DEPS) run build test
	cmake --preset sanitize
	cmake --build --preset sanitize

# The whole suite twice, as built for players and under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer; the Windows programs under
# Wine; then the browser's page, the Windows zip and the Debian package,
# built and checked.
test: test-build build-sanitize windows-test-build cross-test-build
	ctest --preset test
	ctest --preset sanitize
	ctest --preset windows-test
	ctest --preset s390x-test
	ctest --preset i686-test
	$(MAKE) web-test
	$(MAKE) windows-check
	$(MAKE) package-check

# The Windows programs, cross-built by Debian's mingw-w64 and packed for
# players in build-windows/tumbra-VERSION-windows-x86_64.zip and the
# installer build-windows/tumbra-VERSION-x64.msi, with the source they were
# built from beside them.
windows:
	@$(DEPS) windows
	cmake --preset windows
	cmake --build --preset windows
	scripts/package-windows.py build-windows

# The game's logic and the solver with their tests, cross-built for s390x,
# a big-endian machine, and for i686, a 32-bit one; they run under qemu's
# user-mode emulation.
cross-test-build:
	@$(DEPS) cross
	cmake --preset s390x-test
	cmake --build --preset s390x-test
	cmake --preset i686-test
	cmake --build --preset i686-test

# The Windows programs and their tests, which run under Wine.
windows-test-build:
	@$(DEPS) windows test
	cmake --preset windows-test
	cmake --build --preset windows-test

# The zip's files, and a second, varied build of it (needs root); the
# installer installed, upgraded and removed under Wine.
windows-check: windows windows-test-build
	tests/package/check_windows.sh build-windows
	tests/package/check_msi.sh build-windows build-windows-test

# The browser's game: one page holding its script and WebAssembly module,
# and beside it the manifest, icon and worker that a web server offers with
# it. Debian's emcc needs its own Node.js modules.
export NODE_PATH := /usr/share/nodejs
web:
	@$(DEPS) web
	cmake --preset web
	cmake --build --preset web
	@echo "build-web/tumbra.html"

WEB_PORT ?= 8417
web-run: web
	@echo "Tumbra! is at http://127.0.0.1:$(WEB_PORT)/tumbra.html (Ctrl+C stops)"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory build-web

# puppeteer-core, as pinned by tests/web/package-lock.json.
web-node-modules:
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error

# The page in Debian's Chromium and Firefox ESR, driven by puppeteer-core,
# and in WebKitGTK, driven by WebKitWebDriver in a private Xvfb; its
# upgrade from the release players hold, built from its own commit; then
# in Firefox ESR's and Chromium's own windows under a private Xvfb, pressed
# with the real mouse and played by ear through Orca.
web-test: web web-node-modules
	@$(DEPS) web test
	scripts/old-release.sh web build-web/previous-release
	node tests/web/browser_test.mjs build-web/tumbra.html
	for browser in firefox chromium; do \
	  python3 tests/real_window/real_window_test.py --browser $$browser \
	    --program build-web/tumbra.html --artifacts build-web/real-window \
	    || exit 1; \
	done

# The whole suite again on a fresh Debian 13 root, made with debootstrap in
# build-debian13/ (needs root).
test-debian13:
	scripts/test-debian13.sh build-debian13

# The binary package, built as Debian builds it, in build-deb/.
deb:
	@$(DEPS) build package
	scripts/build-deb.sh build-deb

# Lintian, the files, hardening and a reproducible second build; then the
# package installed, tested and purged as Debian tests it (autopkgtest,
# piuparts; needs root).
package-check: deb archive-build
	tests/package/check_package.sh build-deb
	tests/package/debian_checks.sh build-deb

# The package as Debian's build daemons build it: from its source package,
# in a fresh minimal root of this release holding build-essential and its
# build dependencies alone, as a user who is not root; on Debian 12 once
# more without its tests (needs root). The roots stay in build-archive/.
archive-build:
	@$(DEPS) build package
	scripts/archive-build.sh build-archive
	if [ "$$(. /etc/os-release && echo "$$VERSION_CODENAME")" = bookworm ]; then \
	  scripts/archive-build.sh build-archive nocheck; \
	fi

clean:
	rm -rf build build-test build-sanitize build-bench build-deb build-web \
	  build-windows build-windows-test build-windows-bench build-debian-base \
	  build-s390x build-i686
	rm -rf --one-file-system build-archive
	rm -rf --one-file-system build-debian13

# Timings against the toolkit's own floor; see docs/performance.md.
bench: web web-node-modules
	@$(DEPS) run build bench windows test
	cmake --preset bench
	cmake --build --preset bench
	cmake --preset windows-bench
	cmake --build --preset windows-bench
	python3 bench/run_benchmarks.py build-bench --web build-web/tumbra.html \
	  --windows build-windows-bench

# The window icon's PNG sizes, after a change to the scalable icons.
icons:
	@$(DEPS) icons
	scripts/render-icons.sh

# The README's picture: the window on level 1, taken by the real-window test.
screenshot: test-build
	ctest --preset test -R real_window.caption_size_and_centring
	mkdir -p docs && cp build-test/real-window/level1.png docs/screenshot.png
