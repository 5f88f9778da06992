#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the installed programs start from
# there and find their typefaces, manual and templates, with a home of their own.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=(
    bin/stria bin/stria93
    share/applications/stria.desktop
    share/icons/hicolor/scalable/apps/stria.svg
    share/doc/stria/stria.chm share/doc/stria/Strias.pdf
    share/fonts/truetype/stria/LICENSE-DejaVu.txt
    share/stria/data/striatips.ini
)
for size in a b c d e f; do
    expected+=("share/fonts/truetype/stria/sample93$size.ttf" "share/fonts/truetype/stria/sample93$size-hr.ttf")
done
for t in lz167 lz570 lz060 lz161 lz162 lz197 lz163 lz164 l7160 3474; do expected+=("share/stria/data/$t.rtf"); done
for f in "${expected[@]}"; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
done
[ ! -e "$prefix/share/stria/data/custom.rtf" ] || fail "custom.rtf must be left to the user"
# The build tree's place is found at run time, never compiled into what is installed: its path
# is in no program's read-only data, as 8-bit or as UTF-16 (QStringLiteral) text.
for program in stria stria93; do
    objcopy -O binary --only-section=.rodata "$prefix/bin/$program" "$work/rodata"
    python3 - "$work/rodata" "$(cd "$build" && pwd)" <<'CHECK' || fail "$program holds the build tree's path"
import sys
data = open(sys.argv[1], "rb").read()
sys.exit(any(path in data for path in (sys.argv[2].encode(), sys.argv[2].encode("utf-16-le"))))
CHECK
done
grep -q "^Exec=.*'$prefix/bin/stria93' setup --quiet; exec '$prefix/bin/stria'" \
    "$prefix/share/applications/stria.desktop" || fail "desktop entry does not start the installed programs"

# A user with nothing set up yet, and no display.
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$work"

report=$("$prefix/bin/stria93" setup) || fail "stria93 setup failed"
for manual in stria.chm Strias.pdf; do
    grep -qx "setup: the manual is $prefix/share/doc/stria/$manual" <<<"$report" ||
        fail "the installed stria93 does not find $manual: $report"
done
[ -s "$HOME/Documents/Stria/striatips.ini" ] || fail "setup did not install the settings file"
[ -s "$HOME/Documents/Stria/lz161.rtf" ] || fail "setup did not install the templates"
[ -s "$XDG_DATA_HOME/fonts/stria/sample93d-hr.ttf" ] || fail "setup did not install the typefaces"

"$prefix/bin/stria93" export -o "$work/x.png" ABC123 >/dev/null || fail "export failed"
decoded=$(zbarimg -q --raw "$work/x.png" 2>/dev/null) || fail "the exported picture does not scan"
[ "$decoded" = "ABC123" ] || fail "the exported picture reads '$decoded'"

# The window runs until it is closed; still running after a few seconds with no complaint about
# its typefaces means it started from the installed copy.
status=0
timeout 5 "$prefix/bin/stria" 2>"$work/stria.err" || status=$?
[ "$status" -eq 124 ] || fail "the installed window exited early with status $status: $(cat "$work/stria.err")"
if grep -qi "typeface\|font" "$work/stria.err"; then
    fail "the installed window did not find its typefaces: $(cat "$work/stria.err")"
fi
echo "installed copy works"
