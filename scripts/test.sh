#!/bin/sh
# Sets up, builds and runs every test headless.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cd "${LUMORA_BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
