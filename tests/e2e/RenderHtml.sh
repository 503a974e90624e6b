#!/bin/sh
# Renders the HTML report of each view in headless Chromium and checks that
# the page came out: a screenshot with more than one colour, and a DOM dump
# that holds the report's title (and, for the transaction list, a description
# whose <, & and > had to be escaped, back as text).
#
#   RenderHtml.sh SAMPLE_PROGRAM OUTDIR
#
# SAMPLE_PROGRAM writes the book and OUTDIR/{transactions,categories,projects}.htm.
# When Chromium is missing it is installed with apt-get; when that is not
# possible the test is skipped (exit 77) with the reason.
set -u

sample=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out" || exit 1

fail() {
    echo "FAIL: $*"
    exit 1
}

findBrowser() {
    command -v chromium || command -v chromium-browser || true
}

install() {
    log="$out/apt.log"
    if [ "$(id -u)" != 0 ] || ! command -v apt-get >/dev/null 2>&1; then
        echo "apt-get cannot be run here (not root, or no apt-get)" >"$log"
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y --no-install-recommends chromium >"$log" 2>&1 && return 0
    apt-get update >>"$log" 2>&1 && apt-get install -y --no-install-recommends chromium >>"$log" 2>&1
}

browser=$(findBrowser)
if [ -z "$browser" ]; then
    echo "chromium is not installed: installing it with apt-get"
    install
    browser=$(findBrowser)
    if [ -z "$browser" ]; then
        echo "SKIP: headless Chromium is missing and could not be installed ($(tail -n 1 "$out/apt.log"))"
        exit 77
    fi
fi
echo "browser: $browser"

"$sample" "$out" || fail "the sample reports could not be written"

for view in transactions categories projects; do
    page="$out/$view.htm"
    png="$out/$view.png"
    dom="$out/$view.dom.html"
    [ -s "$page" ] || fail "$page was not written"
    rm -f "$png" "$dom"
    profile=$(mktemp -d)
    timeout 180 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" --window-size=1024,768 \
        --screenshot="$png" --dump-dom "file://$page" >"$dom" 2>"$out/$view.log"
    status=$?
    rm -rf "$profile"
    [ "$status" = 0 ] || fail "$view: the browser ended with status $status (see $out/$view.log)"
    [ -s "$png" ] || fail "$view: no screenshot"
    measured=$(python3 "$here/PngColours.py" "$png") || fail "$view: $measured"
    set -- $measured
    echo "$view: screenshot ${1}x${2}, $3 colours"
    [ "$3" -gt 1 ] || fail "$view: the screenshot is blank"
    grep -q "Rendered $view" "$dom" || fail "$view: the title is not in the rendered page"
    grep -q "</table>" "$dom" || fail "$view: no table in the rendered page"
done
grep -q "Bakery &lt;Crumbs &amp; Co&gt;" "$out/transactions.dom.html" ||
    fail "transactions: the escaped description is not text of the page"
echo "all three reports rendered"
