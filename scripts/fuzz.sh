#!/bin/sh
# Builds the libFuzzer target with clang 14 in build-fuzz/ and runs it for the
# given number of seconds (default 300), growing its corpus in build-fuzz/corpus.
# A property that fails stops the run and leaves the input as build-fuzz/crash-*.
set -eu
cd "$(dirname "$0")/.."
seconds="${1:-300}"
scripts/install.sh cmake ninja-build clang-14 libclang-rt-14-dev qt6-base-dev libgtest-dev
[ -f build-fuzz/build.ninja ] || CC=clang-14 CXX=clang++-14 \
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMORA_FUZZ=ON
cmake --build build-fuzz --target fuzz_module1
mkdir -p build-fuzz/corpus
cd build-fuzz
exec ./fuzz_module1 -max_total_time="$seconds" -print_final_stats=1 corpus
