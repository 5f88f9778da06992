#!/usr/bin/env bash
# Peak memory and wall time of stria93 encode on endless lines: 1 GB of NUL bytes (refused at
# the first byte), one 100 MB line of "a" (refused as too long) and the longest accepted line
# (1 MiB of "a"). GNU time's peak resident memory is the largest of the pipeline's processes.
set -euo pipefail
build=${1:-build}
stria93="$build/cli/stria93"
run() {
    local label=$1 input=$2
    /usr/bin/time -f "$label: %e s, peak %M KB" \
        sh -c "$input | '$stria93' encode >/dev/null 2>&1; echo \"  exit \$?\""
}
run "1 GB of NUL bytes" "head -c 1000000000 /dev/zero"
run "one 100 MB line" "head -c 100000000 /dev/zero | tr '\\0' a"
run "one 1 MiB line (accepted)" "head -c 1048576 /dev/zero | tr '\\0' a"
