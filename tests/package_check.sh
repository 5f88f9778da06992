#!/usr/bin/env bash
# Builds the Debian package and checks its name, contents and dependencies, and that Debian's
# package checker, the desktop entry validator and the AppStream validator find nothing to report.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$out/stria_7.0_amd64.deb
[ -f "$deb" ] || fail "no stria_7.0_amd64.deb"

contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/stria ./usr/bin/stria93 ./usr/share/applications/example.quorinfont.stria.desktop \
    ./usr/share/metainfo/example.quorinfont.stria.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/stria.svg ./usr/share/doc/stria/stria.chm \
    ./usr/share/doc/stria/Strias.pdf ./usr/share/fonts/truetype/stria/sample93d-hr.ttf \
    ./usr/share/stria/data/striatips.ini ./usr/share/stria/data/lz161.rtf \
    ./usr/share/doc/stria/html/index.html ./usr/share/doc/stria/copyright \
    ./usr/share/doc/stria/changelog.gz ./usr/share/man/man1/stria.1.gz \
    ./usr/share/man/man1/stria93.1.gz ./usr/share/bash-completion/completions/stria93; do
    grep -q " $f\$" <<<"$contents" || fail "package lacks $f"
done

# The LibreOffice extension: as a file for any LibreOffice, and unpacked where Debian's
# LibreOffice loads bundled extensions for every user ($BUNDLED_EXTENSIONS of its lounorc).
if [ -f "$build/office/stria93.oxt" ]; then
    grep -q " ./usr/share/stria/stria93.oxt\$" <<<"$contents" || fail "package lacks stria93.oxt"
    bundled=$(sed -n 's|^BUNDLED_EXTENSIONS=\$BRAND_BASE_DIR/||p' /usr/lib/libreoffice/program/lounorc)
    [ "$bundled" = share/extensions ] || fail "LibreOffice's bundled extensions are in '$bundled'"
    for f in $(python3 -c 'import sys, zipfile; print(*zipfile.ZipFile(sys.argv[1]).namelist())' \
        "$build/office/stria93.oxt"); do
        grep -q " ./usr/lib/libreoffice/$bundled/stria93/$f\$" <<<"$contents" ||
            fail "package lacks the bundled extension's $f"
    done
fi

depends=$(dpkg-deb -f "$deb" Depends)
for d in fontconfig xdg-utils fonts-liberation2 libqt6svg6 qt6-wayland poppler-utils libqt6widgets6 libqt6gui6 libgif7 libc6; do
    grep -q "\b$d\b" <<<"$depends" || fail "Depends lacks $d: $depends"
done

# Every error and warning fails; lintian's informational tags do not.
report=$(lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1) ||
    fail "lintian: $report"

dpkg-deb -x "$deb" "$out/root"
# A new LibreOffice with the package's bundled extensions computes =CODE93() with nothing added.
if [ -f "$build/office/stria93.oxt" ]; then
    /usr/bin/python3 "$(dirname "$0")/office_check.py" --bundled \
        "$out/root/usr/lib/libreoffice/$bundled" "$build" >/dev/null ||
        fail "Debian's LibreOffice does not load the package's bundled extension"
fi
validation=$(desktop-file-validate \
    "$out/root/usr/share/applications/example.quorinfont.stria.desktop" 2>&1) || true
[ -z "$validation" ] || fail "desktop-file-validate: $validation"
# The metainfo as software centres read it; --no-net: its screenshots are on the vendor's site.
validation=$(appstreamcli validate --pedantic --no-net \
    "$out/root/usr/share/metainfo/example.quorinfont.stria.metainfo.xml" 2>&1) ||
    fail "appstreamcli: $validation"
echo "package: $depends"
