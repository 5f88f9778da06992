#!/usr/bin/env bash
# Configures the README's product-only build from a clean folder with CMake's default generator
# (Unix Makefiles, which unlike Ninja makes no output folder by itself) and builds the targets
# that write generated files into folders of their own: the label-sheet table, the templates,
# the typefaces and the package's documents. The compiled programs are the default build's.
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
env -u CMAKE_GENERATOR cmake -S "$source" -B "$work/build-plain" -DBUILD_TESTING=OFF \
    -DSTRIA_BUILD_BENCHMARKS=OFF "${launcher[@]}" >"$work/configure.log" ||
    { cat "$work/configure.log"; exit 1; }
grep -q 'CMAKE_GENERATOR:INTERNAL=Unix Makefiles' "$work/build-plain/CMakeCache.txt" ||
    { echo "FAIL: not configured with Unix Makefiles" >&2; exit 1; }
cmake --build "$work/build-plain" -j2 --target sheet_core stria_data barcode_fonts \
    packaging_documents >"$work/build.log" 2>&1 || { tail -30 "$work/build.log"; exit 1; }
echo "plain build with the default generator: ok"
