# Two commands set everything up: `make run` and `make test`; a third, `make windows`, builds for Windows.
BUILD    ?= build
ASAN     ?= build-asan
BENCHDIR ?= build-bench
PKGDIR   ?= build-package
FUZZDIR  ?= build-fuzz
WINDIR   ?= build-windows
FUZZ_SECONDS ?= 60
# Inputs up to 1 MB with a per-input limit on time and memory, so that a superlinear cost is a finding;
# -len_control=0 lets inputs grow to that size at once instead of creeping up from short ones.
FUZZ_LIMITS = -max_len=1048576 -timeout=5 -rss_limit_mb=1024 -len_control=0
# The RTF reader's dearest linear case, a megabyte of paragraph marks, is some 200 000 blocks of Qt's text document:
# about 12 s under the sanitizers. Its limit leaves room for that on a busy machine and still stops anything worse.
FUZZ_LIMITS_rtf = -timeout=30
FUZZERS  = docsrecord textform rtf
WERROR   ?= OFF
JOBS     ?= $(shell nproc)
CMAKE_FLAGS = -G Ninja -DLOGICUS_WERROR=$(WERROR)

.PHONY: all bootstrap configure build run test sanitize bench fuzz package format clean windows windows-test

all: build

# What each target needs installed; a target's needs hold for what it depends on, so `make run` installs for
# building and running only, and `make test` adds the test tools.
NEEDS = build
run: NEEDS = build run
test: NEEDS = build test
sanitize: NEEDS = build test sanitize
bench: NEEDS = build bench
fuzz: NEEDS = build fuzz
package: NEEDS = build package
format: NEEDS = format
windows: NEEDS = build windows
windows-test: NEEDS = build test windows

bootstrap:
	@./tools/bootstrap.sh $(NEEDS)

configure: bootstrap
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./tools/run.sh $(BUILD)/src/app/logicus

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

sanitize: bootstrap
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(ASAN) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug \
	    -DLOGICUS_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	@cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

bench: bootstrap
	@cmake -S . -B $(BENCHDIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DLOGICUS_BENCH=ON >/dev/null
	@cmake --build $(BENCHDIR) -j $(JOBS) --target all bare_window
	@set -e; for b in $(BENCHDIR)/tests/bench/bench_*; do \
	    if [ -f "$$b" ] && [ -x "$$b" ]; then QT_QPA_PLATFORM=offscreen "$$b"; fi; \
	done
	@./tools/perf/startup.sh $(BENCHDIR)

# Each fuzzer starts from its committed seeds and keeps what it finds in $(FUZZDIR)/corpus; a crash, a leak or
# a failed check stops it, leaves the input in $(FUZZDIR)/crashes and fails the target.
fuzz: bootstrap
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZDIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DLOGICUS_FUZZ=ON >/dev/null
	@cmake --build $(FUZZDIR) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZERS))
	@mkdir -p $(FUZZDIR)/crashes
	@set -e; for f in $(FUZZERS); do \
	    mkdir -p $(FUZZDIR)/corpus/$$f; \
	    echo "fuzz_$$f for $(FUZZ_SECONDS) s"; \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    $(FUZZDIR)/tests/fuzz/fuzz_$$f -max_total_time=$(FUZZ_SECONDS) $(FUZZ_LIMITS) \
	        $$(case $$f in rtf) echo "$(FUZZ_LIMITS_rtf)";; esac) \
	        -print_final_stats=1 -artifact_prefix=$(FUZZDIR)/crashes/$$f- \
	        $(FUZZDIR)/corpus/$$f tests/fuzz/corpus/$$f; \
	done

# The Debian package of a release build; only the program is built, the package holds nothing else that is built.
# Reproducible: the files' times are the last commit's, no build folder is written into the program, and the
# archive is made with the same permissions whatever the caller's umask.
package: export SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || echo 0)
package: export QT_RCC_SOURCE_DATE_OVERRIDE ?= $(SOURCE_DATE_EPOCH)
package: bootstrap
	@cmake -S . -B $(PKGDIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release \
	    "-DCMAKE_CXX_FLAGS=-ffile-prefix-map=$(CURDIR)=. -ffile-prefix-map=$(abspath $(PKGDIR))=." >/dev/null
	@cmake --build $(PKGDIR) -j $(JOBS) --target logicus
	@rm -f $(PKGDIR)/logicus_*.deb
	@cd $(PKGDIR) && umask 022 && cpack >cpack.log 2>&1 || { cat cpack.log; exit 1; }
	@echo "Debian package: $$(ls $(abspath $(PKGDIR))/logicus_*.deb)"
	@echo "Install it with: sudo apt install $$(ls $(abspath $(PKGDIR))/logicus_*.deb)"

# Логикус for Windows, cross-built: a static Qt for Windows (built once into a cache outside the checkout, see
# tools/windows/qt.sh), then one static logicus.exe, the portable zip and the installer. Build-time tools and the
# tests run under Wine, in the build's own Wine prefix.
WINDOWS_FLAGS = -G Ninja -DLOGICUS_WERROR=$(WERROR) -DCMAKE_BUILD_TYPE=Release \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/tools/windows/mingw-w64.cmake \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=$(CURDIR)/tools/windows/wine.sh;$(abspath $(WINDIR))/wine" \
    -DLOGICUS_LINUX_PROGRAM=$(abspath $(BUILD))/src/app/logicus
windows: bootstrap
	@# A build folder made with another Qt (other options, another hash) is configured afresh: CMake keeps the
	@# toolchain it was first given.
	@qt=$$(JOBS=$(JOBS) ./tools/windows/qt.sh) && \
	    { [ "$$(cat $(WINDIR)/qt-used 2>/dev/null)" = "$$qt" ] || rm -rf $(WINDIR)/CMakeCache.txt $(WINDIR)/CMakeFiles; } && \
	    cmake -S . -B $(WINDIR) $(WINDOWS_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$$qt/lib/cmake/Qt6/qt.toolchain.cmake >/dev/null && \
	    echo "$$qt" >$(WINDIR)/qt-used
	@cmake --build $(WINDIR) -j $(JOBS) --target logicus
	@rm -f $(WINDIR)/logicus-*-windows.zip $(WINDIR)/logicus-*-setup.exe
	@cd $(WINDIR) && cpack >cpack.log 2>&1 || { cat cpack.log; exit 1; }
	@echo "Windows program: $(abspath $(WINDIR))/src/app/logicus.exe"
	@echo "Portable zip:    $$(ls $(abspath $(WINDIR))/logicus-*-windows.zip)"
	@echo "Installer:       $$(ls $(abspath $(WINDIR))/logicus-*-setup.exe)"

# The Windows build's tests under Wine, and its whole-program checks beside the Linux program.
windows-test: windows build
	@cmake --build $(WINDIR) -j $(JOBS)
	@cd $(WINDIR) && ctest --output-on-failure -j $(JOBS)

format: bootstrap
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(ASAN) $(BENCHDIR) $(FUZZDIR) $(PKGDIR) $(WINDIR)
