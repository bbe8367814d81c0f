#!/bin/sh
# Installs what the build needs (Debian 12), then configures and builds.
set -eu
cd "$(dirname "$0")/.."
scripts/install.sh cmake ninja-build g++ qt6-base-dev libqt6sql6-sqlite libgtest-dev fonts-liberation2 xvfb xauth xdotool \
    openbox x11-utils libxcb1-dev libxcb-damage0-dev at-spi2-core python3-pyatspi dbus-x11 \
    dpkg-dev desktop-file-utils lintian appstream man-db pkg-config libhunspell-dev hunspell-hu libsqlite3-dev \
    libespeak-ng-dev espeak-ng-data libpulse-dev pulseaudio pulseaudio-utils dict-freedict-hun-eng

build="${LUMORA_BUILD_DIR:-build}"
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"
