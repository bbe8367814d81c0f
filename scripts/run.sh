#!/bin/sh
# Sets up, builds and starts the program.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
exec "${LUMORA_BUILD_DIR:-build}/lumora"
