#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a build folder of their own, so that the normal
# build keeps its own compiler: fuzz/build_fuzzers.sh [BUILD_DIR]  (default build/fuzz-clang)
set -euo pipefail
source=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$source/build/fuzz-clang}
command -v clang++ >/dev/null || {
    echo "build_fuzzers: clang++ is missing; scripts/install-deps installs it" >&2
    exit 1
}
cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DSTRIA_FUZZ=ON
cmake --build "$build"
