# make run   installs what is missing, builds, and starts the game
# make test  the same, then the whole test suite, headless
.PHONY: all deps build build-sanitize run test bench clean screenshot icons

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	./build/tumbra

build-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize

# The whole suite twice: as built for players, and under AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer.
test: build build-sanitize
	ctest --preset default
	ctest --preset sanitize

clean:
	rm -rf build build-sanitize

# Timings against the toolkit's own floor; see docs/performance.md.
bench: build
	python3 bench/run_benchmarks.py build

# The window icon's PNG sizes, after a change to the scalable icon.
icons: deps
	scripts/render-icons.sh

# The README's picture: the window on level 1, taken by the real-window test.
screenshot: build
	ctest --preset default -R real_window.caption_size_and_centring
	mkdir -p docs && cp build/real-window/level1.png docs/screenshot.png
