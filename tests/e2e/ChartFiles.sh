#!/bin/sh
# The charts of tallyra-cli's reports drawn off screen, without a display:
# each PNG a real picture of the size the renderer draws, each SVG a document,
# an HTML report with --chart ending with its chart, and a chart that does
# not fit the report refused.
#   ChartFiles.sh TALLYRA_CLI WORK_FOLDER
set -u
cli=$1 out=$2
here=$(dirname "$0")
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$out" && mkdir -p "$out/book"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
run() { "$cli" --data "$out/book" --now 2024-06-30T12:00:00 --locale en_US "$@"; }
run demo >/dev/null || fail "demo book"
period="--from 2024-01-01 --to 2024-12-31"
for chart in "categories pie 1800" "categories bar 900" "projects pie 1800" "transactions line 900"; do
    set -- $chart
    png="$out/$1-$2.png"
    run report "$1" $period --format png --chart "$2" --out "$png" 2>"$out/err" || fail "$1 $2: $(cat "$out/err")"
    measured=$(python3 "$here/PngColours.py" "$png") || fail "$1 $2: $measured"
    set -- $chart $measured
    echo "$1 $2: ${4}x${5}, $6 colours"
    [ "$4" = "$3" ] && [ "$5" = 560 ] || fail "$1 $2: drawn at ${4}x${5}"
    [ "$6" -gt 16 ] || fail "$1 $2: the picture is blank"
done
run report categories $period --format svg --out "$out/c.svg" || fail "svg"
grep -q '<svg' "$out/c.svg" || fail "no SVG document"
run report categories $period --format html --chart bar --out "$out/c.htm" || fail "html with chart"
run report categories $period --format html --out "$out/plain.htm" || fail "html"
grep -q '<svg' "$out/c.htm" || fail "the HTML report has no chart"
grep -q '<svg' "$out/plain.htm" && fail "an HTML report without --chart has a chart"
run report transactions $period --format png --chart pie --out "$out/x.png" 2>/dev/null && fail "a pie of the list"
[ -e "$out/x.png" ] && fail "a refused chart left a file"
echo "charts drawn"
