#!/usr/bin/env bash
# Builds the Debian package and checks its name, contents and dependencies, and that Debian's
# package checker and the desktop entry validator find nothing to report.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$out/stria_7.0_amd64.deb
[ -f "$deb" ] || fail "no stria_7.0_amd64.deb"

contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/stria ./usr/bin/stria93 ./usr/share/applications/stria.desktop \
    ./usr/share/icons/hicolor/scalable/apps/stria.svg ./usr/share/doc/stria/stria.chm \
    ./usr/share/doc/stria/Strias.pdf ./usr/share/fonts/truetype/stria/sample93d-hr.ttf \
    ./usr/share/stria/data/striatips.ini ./usr/share/stria/data/lz161.rtf \
    ./usr/share/doc/stria/html/index.html ./usr/share/doc/stria/copyright \
    ./usr/share/doc/stria/changelog.gz ./usr/share/man/man1/stria.1.gz \
    ./usr/share/man/man1/stria93.1.gz ./usr/share/bash-completion/completions/stria93; do
    grep -q " $f\$" <<<"$contents" || fail "package lacks $f"
done

depends=$(dpkg-deb -f "$deb" Depends)
for d in fontconfig xdg-utils fonts-liberation2 libqt6svg6 poppler-utils libqt6widgets6 libqt6gui6 libgif7 libc6; do
    grep -q "\b$d\b" <<<"$depends" || fail "Depends lacks $d: $depends"
done

# Every error and warning fails; lintian's informational tags do not.
report=$(lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1) ||
    fail "lintian: $report"

dpkg-deb -x "$deb" "$out/root"
validation=$(desktop-file-validate "$out/root/usr/share/applications/stria.desktop" 2>&1) || true
[ -z "$validation" ] || fail "desktop-file-validate: $validation"
echo "package: $depends"
