#!/bin/sh
# Sets up, builds and runs every test headless: first in the normal build,
# then built with the address and undefined-behaviour sanitizers (preset
# "asan" in CMakePresets.json, build dir build-asan/).
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
(cd "${LUMORA_BUILD_DIR:-build}" && ctest --output-on-failure -j2)
[ -f build-asan/build.ninja ] || cmake --preset asan
cmake --build --preset asan
ctest --preset asan
