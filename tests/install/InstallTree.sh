#!/bin/sh
# The installed tree runs from where it was installed: `cmake --install` into a
# temporary prefix, then its tallyra-cli makes a demo book and a report of it,
# and each program finds its help page and the other program there.
#   InstallTree.sh BUILD_DIR WORK_DIR WITH_WINDOWS(0|1)
set -eu
build=$1 work=$2 windows=$3
prefix=$work/prefix
rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

fail() { echo "FAIL: $*"; exit 1; }
want() { [ -e "$prefix/$1" ] || fail "not installed: $1"; }

want bin/tallyra-cli
want share/bash-completion/completions/tallyra-cli
want share/doc/tallyra/copyright
if [ "$windows" = 1 ]; then
    for f in bin/tallyra bin/sumora share/tallyra/tallyra.html share/tallyra/sumora.html \
             share/applications/tallyra.desktop share/applications/sumora.desktop \
             share/icons/hicolor/scalable/apps/tallyra.svg share/icons/hicolor/scalable/apps/sumora.svg \
             share/metainfo/org.tallyra.Tallyra.metainfo.xml share/mime/packages/tallyra.xml; do
        want "$f"
    done
fi
if command -v help2man >/dev/null; then
    want share/man/man1/tallyra-cli.1.gz
    [ "$windows" = 0 ] || { want share/man/man1/tallyra.1.gz; want share/man/man1/sumora.1.gz; }
fi

# Nothing of the build tree is needed: run with it out of reach.
cli=$prefix/bin/tallyra-cli
book=$work/book
env -i PATH=/usr/bin:/bin HOME="$work" "$cli" --help >"$work/help.txt" || fail "tallyra-cli --help"
grep -q '^Usage: tallyra-cli' "$work/help.txt" || fail "help text"
now=2024-02-15T10:00:00
env -i PATH=/usr/bin:/bin HOME="$work" "$cli" --data "$book" --now $now demo >/dev/null || fail "demo"
env -i PATH=/usr/bin:/bin HOME="$work" "$cli" --data "$book" --now $now --locale en_US --json \
    report categories --period "Current Year" >"$work/report.json" || fail "report"
grep -q '"rows":\[{' "$work/report.json" || fail "report has no rows: $(cat "$work/report.json")"
env -i PATH=/usr/bin:/bin HOME="$work" "$cli" --data "$book" --now $now check >/dev/null || fail "check"

if [ "$windows" = 1 ]; then
    for p in tallyra sumora; do
        env -i PATH=/usr/bin:/bin HOME="$work" QT_QPA_PLATFORM=offscreen "$prefix/bin/$p" --help \
            >"$work/$p.txt" || fail "$p --help"
        grep -q "^usage: $p" "$work/$p.txt" || fail "$p usage"
    done
    # Every installed file named in a desktop entry is there.
    for entry in "$prefix"/share/applications/*.desktop; do
        program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
        icon=$(sed -n 's/^Icon=//p' "$entry")
        [ -x "$prefix/bin/$program" ] || fail "$entry starts $program, which is not installed"
        [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$entry shows icon $icon, not installed"
    done
fi
echo "installed tree at $prefix runs"
