#!/bin/sh
# The manual page of tallyra-cli names every command and every global option
# that `tallyra-cli --help` lists, and every key of the JSON the listing and
# report commands really write on a demo book.
#   ManualPage.sh TALLYRA_CLI MANUAL_PAGE
set -u
cli=$1 page=$2
[ -f "$page" ] || { echo "no manual page (help2man missing)"; exit 77; }
commands=$("$cli" --help | sed -n '/^Commands:/,$ s/^  \([a-z][a-z0-9-]*\).*/\1/p')
options=$("$cli" --help | sed -n '/^Options/,/^$/ s/^  \(--[a-z-]*\).*/\1/p')
[ -n "$commands" ] || { echo "no commands in --help"; exit 1; }
# The page as man shows it: roff's escaped hyphens read as hyphens.
text=$(sed 's/\\-/-/g; s/\\f[BIRP]//g' "$page")
status=0
for word in $commands $options; do
    printf '%s\n' "$text" | grep -q -- "$word" || { echo "not in the manual page: $word"; status=1; }
done
for section in '^\.SH "*EXIT STATUS\|Exit status' '^\.SH "*JSON OUTPUT' '^\.SH "*ENVIRONMENT'; do
    printf '%s\n' "$text" | grep -q "$section" || { echo "no section: $section"; status=1; }
done

book=$(mktemp -d)
trap 'rm -rf "$book"' EXIT
"$cli" --data "$book" --yes demo >/dev/null || { echo "demo book failed"; exit 1; }
printf 'Date,Text,Amount\n2024-01-10,Transfer to savings,-5.00\n' >"$book/statement.csv"
json() { "$cli" --data "$book" --json "$@" || echo "failed: $*" >&2; }
keys=$({
    json accounts
    json register 1
    json balance 1
    json plans
    json future --account 1
    json currencies
    json categories
    json projects
    json find a
    json check
    json report categories
    json report transactions
    json import 1 "$book/statement.csv" --columns date,description,amount --pair-transfers
} | python3 -c '
import json, sys
def walk(v):
    if isinstance(v, dict):
        for k, x in v.items():
            print(k)
            walk(x)
    elif isinstance(v, list):
        for x in v:
            walk(x)
text, at, decoder = sys.stdin.read(), 0, json.JSONDecoder()
while True:
    while at < len(text) and text[at].isspace():
        at += 1
    if at >= len(text):
        break
    value, at = decoder.raw_decode(text, at)
    walk(value)
' | sort -u)
[ -n "$keys" ] || { echo "no JSON read from the commands"; exit 1; }
for key in $keys; do
    printf '%s\n' "$text" | grep -q "\"$key\"" || { echo "JSON key not in the manual page: $key"; status=1; }
done
exit $status
