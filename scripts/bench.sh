#!/bin/sh
# Sets up and builds, then runs the benchmarks of bench/ on a virtual X server
# and prints each figure against the bare Qt program built alongside.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
build="${LUMORA_BUILD_DIR:-build}"
cmake --build "$build" --target bench
exec xvfb-run -a -s "-screen 0 1024x768x24" "$build/bench_run" "$build"
