# The two set-up commands: `make run` and `make test`.
BUILD ?= build
WINBUILD ?= build-win
FUZZBUILD ?= build-fuzz
CHECKBUILD ?= build-check
FUZZ_SECONDS ?= 60
JOBS ?= 2

PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all build shipped windows run test check bench fuzz package install uninstall deb clean

all: build

build:
	@scripts/deps.sh build
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

# Only what an installed copy holds: the program, its icons and man page
# (not the tests and benchmarks).
shipped:
	@scripts/deps.sh build
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target velmora logscope velmora_install_files

run:
	@scripts/deps.sh run
	@$(MAKE) --no-print-directory build
	@scripts/run.sh $(BUILD)

# velmora.exe and the Windows test program, cross-compiled with mingw-w64.
windows:
	@scripts/deps.sh windows
	@cmake -S . -B $(WINBUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	       -DVELMORA_BENCH=OFF >/dev/null
	@cmake --build $(WINBUILD) -j$(JOBS)

# The native tests, and the Windows build under Wine.
test:
	@scripts/deps.sh test
	@$(MAKE) --no-print-directory build
	@$(MAKE) --no-print-directory windows
	@cmake -S . -B $(BUILD) -DVELMORA_WINDOWS_BUILD=$(CURDIR)/$(WINBUILD) >/dev/null
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The quick gate before a commit: the native build and every test but those
# on real desktops (Xvfb, window managers, Wine, the package), in a build
# folder of its own made for building fast (one compile per batch of files,
# no debug information, through ccache when it is installed).
check:
	@scripts/deps.sh check
	@cmake -S . -B $(CHECKBUILD) -DCMAKE_BUILD_TYPE=Check -DCMAKE_UNITY_BUILD=ON -DVELMORA_BENCH=OFF \
	       -DVELMORA_DESKTOP_TESTS=OFF -DVELMORA_SKINGEN=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
	@cmake --build $(CHECKBUILD) -j$(JOBS)
	@cd $(CHECKBUILD) && ctest --output-on-failure -j$(JOBS) -LE desktop

# The fuzz targets of fuzz/, built with clang's libFuzzer under the address
# and undefined-behaviour checks, each run FUZZ_SECONDS on its corpus.
fuzz:
	@scripts/deps.sh fuzz
	@cmake -S . -B $(FUZZBUILD) -DCMAKE_CXX_COMPILER=clang++ -DVELMORA_FUZZ=ON -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF \
	       -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZBUILD) -j$(JOBS)
	@scripts/fuzz.sh $(FUZZBUILD) $(FUZZ_SECONDS)

bench:
	@scripts/deps.sh bench
	@$(MAKE) --no-print-directory build
	@bench/run.sh $(BUILD)

# A zip a Windows user unpacks and runs: velmora.exe, Logscope.exe, velmora.ini, skins/, logs/.
package: windows
	@scripts/deps.sh package
	@scripts/package-windows.sh $(WINBUILD) $(WINBUILD)/velmora-windows.zip

# Like any Linux program: PREFIX/bin/velmora, PREFIX/share/velmora (skins and
# the default velmora.ini), a menu entry, icons and a man page.
install: shipped
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@scripts/uninstall.sh $(BUILD) $(PREFIX) "$(DESTDIR)"

# A Debian package in $(BUILD)/, checked with lintian.
deb:
	@scripts/deps.sh package-deb
	@$(MAKE) --no-print-directory shipped
	@scripts/package-deb.sh --lintian $(BUILD) $(BUILD)

clean:
	rm -rf $(BUILD) $(WINBUILD) $(FUZZBUILD) $(CHECKBUILD)
