# The two set-up commands: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: all build run test bench package clean

all: build

build:
	@scripts/deps.sh build
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run:
	@scripts/deps.sh run
	@$(MAKE) --no-print-directory build
	@scripts/run.sh $(BUILD)

test:
	@scripts/deps.sh test
	@$(MAKE) --no-print-directory build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

bench:
	@scripts/deps.sh bench
	@$(MAKE) --no-print-directory build
	@bench/run.sh $(BUILD)

clean:
	rm -rf $(BUILD)
