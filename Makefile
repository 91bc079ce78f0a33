# Quirnel: two commands set everything up on a fresh Debian 12 machine:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test
BUILD ?= build
JOBS  ?= 2
PREFIX ?= /usr/local
PKGS  = g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
        libicu-dev libpcre2-dev unicode-data qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl1-mesa-dev \
        adwaita-icon-theme fonts-dejavu-core fonts-nanum xvfb xauth \
        exfatprogs exfat-fuse util-linux python3 tzdata time \
        desktop-file-utils appstream librsvg2-bin help2man bash-completion file dpkg-dev \
        dex jgmenu xdotool x11-apps x11-utils imagemagick clang libclang-rt-14-dev \
        libexiv2-dev libtag1-dev ccache
SUDO  = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps bench-deps look-deps build run test test-sanitize test-tsan fuzz bench clean install uninstall package screenshots

deps:
	@missing=""; for p in $(PKGS); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

# What only the benches need: the command-line renamers whole_run_bench times
# beside ours, the metadata reader media_bench times beside ours, and the
# profilers (valgrind's massif finds the peak heap). Users' `make deps` leaves them out.
BENCH_PKGS = mmv rename linux-perf strace time libimage-exiftool-perl valgrind
# To look at the real program under Xvfb: a window manager (dialogs and menus
# are framed and stacked) and a file manager to try the context-menu entry.
LOOK_PKGS = openbox thunar
bench-deps: deps
	@$(MAKE) --no-print-directory deps PKGS="$(BENCH_PKGS)"

look-deps: deps
	@$(MAKE) --no-print-directory deps PKGS="$(LOOK_PKGS)"

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/quirnel

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# CMake's install_manifest.txt leaves DESTDIR out and is rewritten by every
# install, packaging included, so installs keep their own record.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"
	sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt >> $(BUILD)/installed-files.txt

uninstall:
	@test -f $(BUILD)/installed-files.txt || { echo "nothing installed from $(BUILD)"; exit 0; }
	sort -u $(BUILD)/installed-files.txt | xargs -r -d '\n' rm -fv --
	rm $(BUILD)/installed-files.txt

package: build
	cd $(BUILD) && cpack -G DEB

# The README's picture of the window, drawn offscreen; commit the result.
screenshots: build
	tools/screenshots.sh $(BUILD)/tools/window_screenshot docs/screenshot.png

# The core tests, the command line (which they run) and the window tests,
# built with AddressSanitizer and UBSan; the first report ends the test that
# hit it. A sanitizer's exit status (86) is one no test expects.
SANITIZE_BUILD ?= build-asan
SANITIZE_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:exitcode=86 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:exitcode=86 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-O1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined"
	cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target core_tests quirnel-cli ui_tests fuzz_targets
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -E '^dist_'

# ThreadSanitizer over the same tests, by hand: the apply worker and the window's threaded runs.
TSAN_BUILD ?= build-tsan
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-O1 -fno-omit-frame-pointer -fsanitize=thread"
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target core_tests quirnel-cli ui_tests
	cd $(TSAN_BUILD) && TSAN_OPTIONS=halt_on_error=1:exitcode=86:suppressions=$(CURDIR)/tools/tsan.supp \
	  QT_QPA_PLATFORM=offscreen \
	  ctest --output-on-failure -j $(JOBS) -E '^dist_|_replay$$'

# libFuzzer on every fuzz target for FUZZ_SECONDS each (two at a time), with
# AddressSanitizer and UBSan; `make test` replays the committed corpora.
FUZZ_SECONDS ?= 60
FUZZ_BUILD ?= build-fuzz
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DQUIRNEL_CORE_ONLY=ON -DQUIRNEL_FUZZ=ON \
	  -DCMAKE_CXX_FLAGS="-g -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	tools/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(JOBS)

bench: bench-deps build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done
	@for b in $(BUILD)/bench/*_uibench; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD) $(TSAN_BUILD)
