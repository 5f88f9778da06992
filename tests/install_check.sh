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
    share/applications/example.quorinfont.stria.desktop
    share/icons/hicolor/scalable/apps/stria.svg
    share/doc/stria/stria.chm share/doc/stria/Strias.pdf
    share/doc/stria/html/index.html share/doc/stria/html/stria.css
    share/doc/stria/html/images/main_window.png
    share/doc/stria/copyright share/doc/stria/changelog.gz
    share/man/man1/stria.1.gz share/man/man1/stria93.1.gz
    share/bash-completion/completions/stria93
    share/fonts/truetype/stria/LICENSE-DejaVu.txt
    share/stria/data/striatips.ini
)
for size in a b c d e f; do
    expected+=("share/fonts/truetype/stria/sample93$size.ttf" "share/fonts/truetype/stria/sample93$size-hr.ttf")
done
for t in lz167 lz570 lz060 lz161 lz162 lz197 lz163 lz164 l7160 3474; do expected+=("share/stria/data/$t.rtf"); done
[ ! -f "$build/office/stria93.oxt" ] || expected+=(share/stria/stria93.oxt)
for f in "${expected[@]}"; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
done
[ ! -e "$prefix/share/stria/data/custom.rtf" ] || fail "custom.rtf must be left to the user"
[ ! -e "$prefix/lib/libreoffice" ] || fail "only the package installs into LibreOffice's folder"
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
    "$prefix/share/applications/example.quorinfont.stria.desktop" || fail "desktop entry does not start the installed programs"

# A user with nothing set up yet, and no display.
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$work"

# Both manual pages render without a complaint from groff.
for page in stria stria93; do
    rendered=$(LC_ALL=C MANWIDTH=200 MAN_DISABLE_SECCOMP=1 man --warnings -l \
        "$prefix/share/man/man1/$page.1.gz" 2>"$work/man.err") || fail "man cannot show $page(1)"
    [ ! -s "$work/man.err" ] || fail "$page(1) renders with warnings: $(cat "$work/man.err")"
    for section in NAME SYNOPSIS DESCRIPTION COMMANDS OPTIONS "EXIT STATUS" FILES EXAMPLES; do
        grep -qx "$section" <<<"$rendered" || fail "$page(1) has no $section section"
    done
done

# The completion of a command line whose last word is being completed, one candidate a line.
completion=$prefix/share/bash-completion/completions/stria93
completions() {
    bash -c 'source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
        _stria93 "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
}
[ "$(bash -c 'source "$1" && complete -p stria93' _ "$completion")" = "complete -F _stria93 stria93" ] ||
    fail "sourcing the completion does not register it for stria93"
offered=$(
    completions "$prefix/bin/stria93" -
    for command in encode export sheet verify setup setup-fonts; do
        completions "$prefix/bin/stria93" "$command" -
    done
)
# Every option the help names, however the help is laid out, is documented and completed.
page=$(LC_ALL=C MANWIDTH=200 MAN_DISABLE_SECCOMP=1 man -l "$prefix/share/man/man1/stria93.1.gz")
options=$("$prefix/bin/stria93" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ "$(wc -l <<<"$options")" -ge 15 ] || fail "too few options found in the help: $options"
for option in $options; do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$page" || fail "stria93(1) lacks $option"
    grep -qx -- "$option" <<<"$offered" || fail "the completion does not offer $option"
done
# The words before the one being completed, and what it offers.
while IFS='|' read -r words expected; do
    read -ra words <<<"$words"
    got=$(completions "$prefix/bin/stria93" "${words[@]}" "" | xargs)
    [ "$got" = "$expected" ] || fail "completing '${words[*]}' offers '$got', not '$expected'"
done <<'ROWS'
export --size|a b c d e f
export --dpi|300 600 900 1200
export --style|standard hr
sheet --size|a b c d e f
export --format|bmp gif jpg png pdf svg
export --size =|a b c d e f
sheet --points|
verify --min-grade|A B C D F
ROWS
stocks=$(completions "$prefix/bin/stria93" sheet --stock "")
grep -qx 5160 <<<"$stocks" && grep -qx L7160 <<<"$stocks" && ! grep -qx Stock <<<"$stocks" ||
    fail "--stock offers '$stocks', not the stocks of 'stria93 sheet --list'"
touch "$work/label one.png"
[ "$(cd "$work" && completions "$prefix/bin/stria93" export -o "lab")" = "label one.png" ] ||
    fail "-o does not complete file names"

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
