#!/usr/bin/env bash
# The fuzz targets for longer than the tests do: 10 minutes each (or SECONDS_EACH), new inputs
# kept in the build tree's work corpus, findings written there as <target>-crash-*.
#   bench/fuzz_long.sh [BUILD_DIR]   (default build)
set -euo pipefail
source=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$source/build}" && pwd)
seconds=${SECONDS_EACH:-600}
"$source/fuzz/build_fuzzers.sh" "$build/fuzz-clang"
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$source/fuzz/lsan.supp"
failed=0
for target in encoder ini rtf picture deflate; do
    work="$build/fuzz-work/$target"
    mkdir -p "$work"
    echo "== fuzz_$target, $seconds s"
    if ! "$build/fuzz-clang/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work-" \
        "$work" "$source/fuzz/corpus/$target" 2>"$build/fuzz-work/$target.log"; then
        failed=1
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' \
        "$build/fuzz-work/$target.log" || true
done
exit $failed
