# Quirnel: two commands set everything up on a fresh Debian 12 machine:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test
BUILD ?= build
JOBS  ?= 2
PREFIX ?= /usr/local
PKGS  = g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
        libicu-dev qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl1-mesa-dev \
        adwaita-icon-theme fonts-dejavu-core fonts-nanum xvfb xauth \
        exfatprogs exfat-fuse util-linux python3 \
        desktop-file-utils appstream librsvg2-bin help2man bash-completion file dpkg-dev \
        dex jgmenu xdotool x11-apps x11-utils imagemagick
SUDO  = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build run test bench clean install uninstall package screenshots

deps:
	@missing=""; for p in $(PKGS); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

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

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done
	@for b in $(BUILD)/bench/*_uibench; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

clean:
	rm -rf $(BUILD)
