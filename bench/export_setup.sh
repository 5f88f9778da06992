# Sourced by the export benchmarks, with their arguments: the build's stria93 (first argument,
# default build), bench/alternate.py, and a throw-away folder as home and working folder.
build=$(realpath "${1:-build}")
stria93=$build/cli/stria93
alternate=$(realpath "$(dirname "${BASH_SOURCE[0]}")")/alternate.py
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export HOME=$out
cd "$out"
