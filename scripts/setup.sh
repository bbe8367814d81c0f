#!/bin/sh
# Installs what the build needs (Debian 12), then configures and builds.
set -eu
cd "$(dirname "$0")/.."

packages="cmake ninja-build g++ qt6-base-dev libgtest-dev fonts-liberation2 xvfb xauth xdotool dpkg-dev desktop-file-utils"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

build="${LUMORA_BUILD_DIR:-build}"
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"
