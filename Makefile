# The front door. The build itself is CMake with Ninja (CMakePresets.json).

PACKAGES := g++ cmake ninja-build pkg-config python3 \
            libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev \
            libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev \
            fonts-liberation2 fonts-dejavu-core gcab libgcab-dev cabextract xvfb xauth xdotool

JOBS ?= $(shell nproc)

.PHONY: all deps build run road test test-normal test-sanitize bench fuzz clean

all: build

# Installs only what is missing, so a machine that has everything is not touched.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -z "$$missing" ]; then exit 0; fi; \
	if [ "$$(id -u)" != 0 ]; then \
	  echo "make deps: these Debian packages are missing: $$missing"; \
	  echo "make deps: run 'sudo make deps' or install them with apt-get"; exit 1; \
	fi; \
	echo "make deps: installing $$missing"; \
	apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default -j $(JOBS)

run: build
	@bash tools/run-reader.sh

# The installer's whole road: jokesetup, the application manager, the installed reader.
road: build
	@bash tools/run-road.sh build

test: test-normal test-sanitize

test-normal: deps
	cmake --preset default >/dev/null
	cmake --build --preset default -j $(JOBS)
	ctest --preset default -j $(JOBS)

test-sanitize: deps
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

bench: deps
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	bash bench/run.sh build-bench

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target fuzz_jokes_data fuzz_favorites
	bash fuzz/run.sh build-fuzz $(or $(SECONDS),60)

clean:
	rm -rf build build-sanitize build-bench build-fuzz
