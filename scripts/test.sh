#!/bin/sh
# Sets up, builds and runs every test headless.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cd "${LUMORA_BUILD_DIR:-build}"
ctest --output-on-failure -j2
