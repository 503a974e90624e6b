#!/bin/sh
# The Debian package as `make package` builds it: its files under /usr, the
# dependencies dpkg-shlibdeps found in the programs, and lintian without errors.
#   Package.sh BUILD_DIR WITH_WINDOWS(0|1)
set -u
build=$1 windows=$2
for tool in cpack dpkg-deb dpkg-shlibdeps lintian fakeroot; do
    command -v $tool >/dev/null || { echo "$tool missing (scripts/install-deps)"; exit 77; }
done
out=$build/package
rm -f "$out"/*.deb
(cd "$build" && cpack -G DEB) >"$build/package.log" 2>&1 || { cat "$build/package.log"; exit 1; }
deb=$(ls "$out"/*.deb 2>/dev/null | head -n 1)
[ -f "$deb" ] || { echo "no package in $out"; exit 1; }
echo "package: $deb"

status=0
fail() { echo "FAIL: $*"; status=1; }
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$out/contents.txt"
want="/usr/bin/tallyra-cli /usr/share/doc/tallyra/copyright /usr/share/doc/tallyra/changelog.gz
/usr/share/bash-completion/completions/tallyra-cli /usr/share/man/man1/tallyra-cli.1.gz"
[ "$windows" = 0 ] || want="$want /usr/bin/tallyra /usr/bin/sumora /usr/share/tallyra/tallyra.html
/usr/share/tallyra/sumora.html /usr/share/applications/tallyra.desktop /usr/share/applications/sumora.desktop
/usr/share/icons/hicolor/scalable/apps/tallyra.svg /usr/share/icons/hicolor/scalable/apps/sumora.svg
/usr/share/metainfo/org.tallyra.Tallyra.metainfo.xml /usr/share/mime/packages/tallyra.xml
/usr/share/man/man1/tallyra.1.gz /usr/share/man/man1/sumora.1.gz"
for f in $want; do
    grep -qx "$f" "$out/contents.txt" || fail "not in the package: $f"
done
grep -v '^/usr/' "$out/contents.txt" | grep -v '^/$' && fail "files outside /usr"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libqt6core6 libsqlite3-0 libstdc++6 libofx7; do
    echo "$depends" | grep -q "\b$lib\b" || fail "Depends lacks $lib"
done
[ "$windows" = 0 ] || for lib in libqt6widgets6 libqt6gui6 libqt6network6; do
    echo "$depends" | grep -q "\b$lib\b" || fail "Depends lacks $lib"
done
[ "$(dpkg-deb -f "$deb" Package)" = tallyra ] || fail "package name"

lintian --tag-display-limit 0 "$deb" >"$out/lintian.txt" 2>&1
cat "$out/lintian.txt"
grep -q '^E: ' "$out/lintian.txt" && fail "lintian reports errors"
exit $status
