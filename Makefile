# Front door of the project: every target sets the machine up first.
BUILD      ?= build
HOME_DIR   ?= $(or $(VARNEL_HOME),$(HOME)/.local/share/varnel-crm)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS       ?= $(shell nproc)

.PHONY: all deps configure build run test bench screenshots format clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS) $(EXTRA_CMAKE_ARGS); fi

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/varnel-crm --home "$(HOME_DIR)"

test: build
	@bash scripts/run-tests.sh $(BUILD)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@bash scripts/run-bench.sh $(BUILD)

screenshots: build
	@$(BUILD)/tests/varnel-screenshots $(BUILD)/screenshots

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
