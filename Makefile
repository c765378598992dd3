# Build, test and demonstrate the engine. Everything is built in build/.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# The Python package is tested with the system interpreter and the Debian packages.
PYTHON ?= /usr/bin/python3
PYTHON_PACKAGES = python3-numpy python3-pandas python3-matplotlib python3-distributed python3-pytest

.PHONY: all build cli test pytest demo bench clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The engine library and the command line only.
cli: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target mervik_cli

# Configured without GoogleTest, the build has no tests: configure again (it may have been
# installed since) and say what to install when it is still missing.
test: $(BUILD)/CMakeCache.txt
	@grep -q '^MERVIK_TESTS_BUILT:INTERNAL=ON' $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) >/dev/null
	@grep -q '^MERVIK_TESTS_BUILT:INTERNAL=ON' $(BUILD)/CMakeCache.txt || \
	  { echo "The tests need GoogleTest: apt-get install libgtest-dev googletest (then make test)"; exit 1; }
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory pytest

pytest: build
	@if $(PYTHON) -c 'import pytest, numpy, pandas, matplotlib' 2>/dev/null; then \
	    MERVIK_LIBRARY=$(abspath $(BUILD))/libmervik.so $(PYTHON) -m pytest -q python; \
	else \
	    echo "Python tests not run: $(PYTHON) lacks pytest, numpy, pandas or matplotlib;"; \
	    echo "install them with: apt-get install $(PYTHON_PACKAGES)"; \
	fi

demo: cli
	$(BUILD)/mervik run examples/pipe_pile_clay_over_sand.lp6 --out $(BUILD)/demo --plots; \
	status=$$?; echo "Report written to $(BUILD)/demo/pipe_pile_clay_over_sand.out"; \
	echo "Figures: $(abspath $(BUILD))/demo/pipe_pile_clay_over_sand_figures/index.html"; exit $$status

bench: build
	$(BUILD)/mervik_bench

clean:
	rm -rf $(BUILD)
