#!/usr/bin/env bash
# check-install.sh BUILD_DIR VERSION: installs BUILD_DIR into a temporary
# prefix and checks the tree: every file present, the programs run and know
# their version, the manual pages read, and the desktop entry and the
# metainfo pass their validators where those are installed.
set -uo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    rm -f "$prefix.log"
    echo "FAIL: cmake --install"
    exit 1
fi
rm -f "$prefix.log"

app=org.vexlor.vexlor
for f in bin/vexlor bin/vexlor-gui bin/vexlor-demo-host \
    share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
    share/icons/hicolor/scalable/apps/vexlor.svg \
    share/icons/hicolor/48x48/apps/vexlor.png \
    share/icons/hicolor/128x128/apps/vexlor.png \
    share/man/man1/vexlor.1.gz share/man/man1/vexlor-gui.1.gz \
    share/man/man1/vexlor-demo-host.1.gz \
    share/doc/vexlor/copyright share/doc/vexlor/changelog.gz; do
    [[ -e $prefix/$f ]] || fail "not installed: $f"
done

# The programs run from the installed tree and carry the project's version.
got=$("$prefix/bin/vexlor" --version 2>&1)
[[ $got == "Vexlor $version" ]] || fail "vexlor --version printed '$got'"
got=$(printf 'x = a/b;\n' | "$prefix/bin/vexlor" --print-text 2>&1)
[[ $got == "x = a / b ;" ]] || fail "vexlor --print-text printed '$got'"
got=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/vexlor-gui" --version 2>&1)
[[ $got == "Vexlor $version" ]] || fail "vexlor-gui --version printed '$got'"

# Manual pages: whole gzip streams whose header names this version.
for page in vexlor vexlor-gui vexlor-demo-host; do
    text=$(gzip -dc "$prefix/share/man/man1/$page.1.gz" 2>/dev/null) ||
        fail "$page.1.gz is not a gzip stream"
    [[ $text == *"Vexlor $version"* ]] || fail "$page.1 does not name version $version"
done
grep -q "release version=\"$version\"" "$prefix/share/metainfo/$app.metainfo.xml" ||
    fail "the metainfo has no release $version"

# The entry starts a program that is installed, with an icon that is.
entry=$prefix/share/applications/$app.desktop
exec_bin=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[[ -x $prefix/bin/$exec_bin ]] || fail "Exec names '$exec_bin', which is not installed"
grep -qx 'MimeType=text/plain;' "$entry" || fail "the entry does not open text/plain"

if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$entry" 2>&1)
    [[ -z $out ]] || fail "desktop-file-validate: $out"
fi
if command -v appstreamcli >/dev/null; then
    out=$(appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$app.metainfo.xml" 2>&1) ||
        fail "appstreamcli validate: $out"
    if grep -qE '^[EW]:' <<<"$out"; then fail "appstreamcli validate: $out"; fi
fi

if ((failures)); then
    echo "$failures check(s) of the installed tree failed"
    exit 1
fi
echo "installed tree complete"
