#!/bin/sh
# Sets up and builds, then runs a short random walk through every window
# (300 events) under valgrind's leak check. Fails on a definite leak.
set -eu
cd "$(dirname "$0")/.."
scripts/install.sh valgrind
scripts/setup.sh
build="${LUMORA_BUILD_DIR:-build}"
LUMORA_WALK_EVENTS="${LUMORA_WALK_EVENTS:-300}" LUMORA_WALK_LIMIT_MS=60000 QT_QPA_PLATFORM=offscreen \
    valgrind --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=1 \
    "$build/gui_tests" --gtest_filter='RandomWalk.*'
