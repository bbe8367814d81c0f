#!/bin/sh
# Sets up and builds, then runs the benchmarks of bench/ on a virtual X server
# and prints each figure against the bare Qt program built alongside.
#   scripts/bench.sh           every figure (a few minutes)
#   scripts/bench.sh --short   the ratio goals in three rounds, as the suite runs them
#   scripts/bench.sh --startup the start-up figures alone
# The record is a fresh one of 3 000 answers, or the one in
# $LUMORA_BENCH_DATA/lumora (tools/record/fill.py makes one of any size).
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
build="${LUMORA_BUILD_DIR:-build}"
if [ -z "${LUMORA_BENCH_DATA:-}" ]; then
    LUMORA_BENCH_DATA=$(mktemp -d)
    trap 'rm -rf "$LUMORA_BENCH_DATA"' EXIT
    QT_QPA_PLATFORM=offscreen tools/record/fill.py --answers 3000 --lumora "$build/lumora" "$LUMORA_BENCH_DATA"
    export LUMORA_BENCH_DATA
fi
# A D-Bus session as on a desktop: without one, each Qt program starts its own
# (dbus-launch) while it starts.
xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$build/bench_run" "$@" "$build"
if [ $# -eq 0 ]; then
    echo
    QT_QPA_PLATFORM=offscreen "$build/bench_lumora" voice
    # Speech on the real program, with a sound server of its own.
    xvfb-run -a /usr/bin/python3 bench/speech.py "$build"
fi
