#!/usr/bin/env bash
# The real window program on a demo book, as a screen reader meets it: through
# gui-probe (a private headless X session with the accessibility bus) the main
# window appears, the register's cells are read back from the accessibility
# tree, a digit key shows another account, and the desktop's SIGTERM ends the
# program through its exit step (exit status 0, the future list's horizon
# written) both in the main window and while a start-up message is open.
#
#   WindowProbe.sh GUI_PROBE TALLYRA TALLYRA_CLI WORK_DIR
# Exit 77 (skipped) where gui-probe or the X tools it needs are missing.
set -u
probe=$1 window=$2 cli=$3 work=$4
skip() { echo "skipped: $*"; exit 77; }
[ -x "$probe" ] || skip "no gui-probe at $probe"
for tool in xvfb-run xauth xdotool dbus-run-session python3; do
  command -v "$tool" >/dev/null || skip "$tool is missing (scripts/install-deps)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is missing (scripts/install-deps)"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect() {  # expect FILE REGEX WHAT
  grep -Eq -- "$2" "$1" || fail "$3 (no line matching /$2/ in $1)"
}

# The help page the Help command opens lies beside the program.
grep -q 'id="tallyra_help"' "$(dirname "$window")/tallyra.html" 2>/dev/null ||
  fail "the help page is not beside $window"

now=2024-03-05T10:00:00
rm -rf "$work" && mkdir -p "$work"
book=$work/book
"$cli" --data "$book" --now "$now" demo >"$work/demo.txt" 2>&1 || { cat "$work/demo.txt"; exit 1; }
# The reminders seen, the main window is the first window the program shows.
"$cli" --data "$book" --now "$now" reminders >/dev/null || exit 1
"$cli" --data "$book" --now "$now" --json accounts >"$work/accounts.json" || exit 1
# The first two accounts: the window is to open on the first (reading a
# register through tallyra-cli makes its account the remembered one), and the
# key 2 shows the second.
key=2
mapfile -t names < <(python3 -c '
import json, sys
for a in sorted(json.load(open(sys.argv[1])), key=lambda a: a["id"])[:2]:
    print(a["name"])' "$work/accounts.json")
[ "${#names[@]}" -eq 2 ] || { echo "the demo book has fewer than two accounts"; exit 1; }
"$cli" --data "$book" --now "$now" --json register "${names[1]}" >"$work/second.json" || exit 1
"$cli" --data "$book" --now "$now" --json register "${names[0]}" >"$work/first.json" || exit 1
# For each of the two, the first description its register has and the other's has not.
mapfile -t descs < <(python3 - "$work/first.json" "$work/second.json" <<'PY'
import json, sys
texts = [[r.get("description", "") for r in json.load(open(f))["transactions"]] for f in sys.argv[1:]]
for mine, other in ((texts[0], texts[1]), (texts[1], texts[0])):
    print(next(t for t in mine if t and t not in other))
PY
)
[ "${#descs[@]}" -eq 2 ] || { echo "no description tells the two accounts apart"; exit 1; }
first_desc=${descs[0]} second_desc=${descs[1]}
# The low half of the future list's horizon in the book's settings: 0 (or none)
# after a run that did not end by its exit step.
horizon() { sed -n 's/^Future\(%20\| \)List\(%20\| \)Date\(%20\| \)Low=//p' "$1"/*.ini | head -n 1; }
written() { local h; h=$(horizon "$1"); [ -n "$h" ] && [ "$h" != 0 ]; }

# 1. SIGTERM while start-up shows the due reminders: the exit step still runs.
early=$work/early
"$cli" --data "$early" --now "$now" demo >/dev/null 2>&1 || exit 1
out=$work/probe-start-up.txt
"$probe" --close --shot "$work/start-up.png" -- "$window" --data "$early" --now "$now" >"$out" 2>&1
expect "$out" '^ *alert "Tallyra"' "start-up showed no reminder box"
expect "$out" '^exit-status: 0$' "SIGTERM at the start-up box did not end the program by its exit step"
written "$early" || fail "SIGTERM at the start-up box left the horizon unwritten"

# 2. The main window: cells, the account key, SIGTERM.
out=$work/probe-main.txt
"$probe" --title '^Tallyra$' --cells 400 --step tree --keys "$key" --step 'wait:0.5' --close \
  --shot "$work/main.png" -- "$window" --data "$book" --now "$now" >"$out" 2>&1
expect "$out" '^window-shown-after-ms: [0-9]+' "the main window did not appear"
expect "$out" 'table "Register"' "no register table in the accessibility tree"
# The tree printed before the key, and the one printed after it.
sed '/^--- tree ---$/,$d' "$out" >"$work/before-key.txt"
sed -n '/^--- tree ---$/,$p' "$out" >"$work/after-key.txt"
grep -Fq "table cell \"$first_desc\"" "$work/before-key.txt" ||
  fail "the register's cell \"$first_desc\" of ${names[0]} was not read back"
grep -Eq '^ *combo box "[^"]*'"${names[0]}" "$work/before-key.txt" || fail "the account box does not show ${names[0]}"
grep -Fq "table cell \"$second_desc\"" "$work/after-key.txt" ||
  fail "after the key $key the cell \"$second_desc\" of ${names[1]} was not read back"
grep -Eq '^ *combo box "[^"]*'"${names[1]}" "$work/after-key.txt" ||
  fail "after the key $key the account box does not show ${names[1]}"
expect "$out" '^exit-status: 0$' "SIGTERM did not end the program by its exit step"
written "$book" || fail "the exit step did not write the horizon"

if [ "$failures" -ne 0 ]; then
  for f in "$work"/probe-*.txt; do echo "--- $f"; cat "$f"; done
  exit 1
fi
echo "window probe passed"
