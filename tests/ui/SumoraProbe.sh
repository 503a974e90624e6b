#!/bin/sh
# The real report program on a demo book, seen as a screen reader sees it:
# the window "Sumora" with its toggle buttons, tree, period bar and list,
# then ended by SIGTERM as a desktop logout ends it (exit status 0).
#   SumoraProbe.sh SUMORA TALLYRA_CLI WORKDIR
# Exit 77 (skipped) where the probe or its X server is missing.
set -u
sumora=$1 cli=$2 work=$3
probe=${GUI_PROBE:-$(dirname "$0")/../../../shared/tools/gui-probe}
[ -x "$probe" ] || { echo "gui-probe not found"; exit 77; }
command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; exit 77; }
rm -rf "$work" && mkdir -p "$work/book" || exit 1
now=2024-02-15T10:00:00
"$cli" --data "$work/book" --now $now demo >/dev/null || { echo "demo book not made"; exit 1; }
"$probe" --title '^Sumora$' --close --step press:'^List Categories$' --step tree \
    -- "$sumora" --data "$work/book" --now $now --locale en_US >"$work/probe.txt" 2>&1
rc=$?
cat "$work/probe.txt"
[ $rc -eq 0 ] || { echo "gui-probe failed ($rc)"; exit 1; }
for want in 'frame "Sumora"' '"Advanced Filter"' '"List Transactions"' '"List Categories"' '"List Projects"' \
            '"Full Name"' '"PERIOD"' '"Sum:"' '"Category Description"' '"All Accounts"' 'exit-status: 0'; do
    grep -qF "$want" "$work/probe.txt" || { echo "missing: $want"; exit 1; }
done
