#!/bin/sh
# The manual page of tallyra-cli names every command and every global option
# that `tallyra-cli --help` lists.
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
exit $status
