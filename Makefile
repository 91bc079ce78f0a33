# Quirnel: two commands set everything up on a fresh Debian 12 machine:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test
BUILD ?= build
JOBS  ?= 2
PKGS  = g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
        libicu-dev qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev \
        adwaita-icon-theme fonts-dejavu-core fonts-nanum xvfb xauth \
        exfatprogs exfat-fuse util-linux python3 xdotool x11-apps imagemagick
SUDO  = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build run test bench clean

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

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD)
