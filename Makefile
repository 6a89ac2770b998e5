# make run   installs what is missing, builds, and starts the game
# make test  the same, then the whole test suite, headless
.PHONY: all deps build run test clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	./build/tumbra

test: build
	ctest --preset default

clean:
	rm -rf build build-sanitize
