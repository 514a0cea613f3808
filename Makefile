# The front door. `make run` builds Vantrel.exe and starts it under Wine; `make test` runs every
# test, native and under Wine. Both first install what a fresh Debian machine lacks (as root).
.PHONY: all deps native windows run test test-native clean
MAKEFLAGS += --no-print-directory

all: native windows

deps:
	@./tools/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j2

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j2

run: windows
	./tools/run-wine.sh

test: native windows
	./tools/run-tests.sh

test-native: native
	./tools/run-tests.sh native

clean:
	rm -rf build
