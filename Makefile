# Build, test and demonstrate the engine. Everything is built in build/.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build test demo bench clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

demo: build
	$(BUILD)/mervik run examples/pipe_pile_clay_over_sand.lp6 --out $(BUILD)/demo --plots; \
	status=$$?; echo "Report written to $(BUILD)/demo/pipe_pile_clay_over_sand.out"; \
	echo "Figures: $(abspath $(BUILD))/demo/pipe_pile_clay_over_sand_figures/index.html"; exit $$status

bench: build
	$(BUILD)/mervik_bench

clean:
	rm -rf $(BUILD)
