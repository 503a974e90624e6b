#!/usr/bin/env python3
"""The spreadsheet and CSV reports of tallyra-cli read back by independent
readers: the workbook by openpyxl, the CSV by Python's csv module. Each must
hold what the CLI's JSON report says, to the hundredth.

Usage: SheetOutput.py CLI WORKDIR xlsx|csv. Exit 77 (skipped) when the
workbook reader is missing."""
import csv
import json
import os
import shutil
import subprocess
import sys
from decimal import Decimal

CLI, WORK, FORMAT = sys.argv[1], sys.argv[2], sys.argv[3]
BOOK = os.path.join(WORK, "book")
PINS = ["--data", BOOK, "--now", "2024-06-30T12:00:00", "--locale", "en_US"]
KINDS = {"transactions": "Transactions", "categories": "Categories", "projects": "Projects"}
# A description a CSV writer must quote, and text beyond Latin-1.
AWKWARD = 'Dinner, "Chez Zoë" – tip\nincluded'


def cli(*args):
    run = subprocess.run([CLI, *PINS, *args], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"tallyra-cli {' '.join(args)} failed ({run.returncode}): {run.stderr}")
    return run.stdout


def hundredths(value):
    """A cell's number as exact hundredths: the writer put hundredths / 100."""
    return int((Decimal(repr(value)) * 100).to_integral_value())


def fail(message):
    sys.exit(f"FAIL: {message}")


def check(condition, message):
    if not condition:
        fail(message)


def make_book():
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(BOOK)
    cli("demo")
    account = json.loads(cli("--json", "accounts"))[0]["name"]
    cli("--yes", "add", account, "-12.34", "--date", "2024-06-15", "--desc", AWKWARD, "--category", "Food")


def report(kind, fmt):
    path = os.path.join(WORK, f"{kind}.{fmt}")
    cli("report", kind, "--from", "2000-01-01", "--to", "2030-12-31", "--format", fmt, "--out", path)
    return path, json.loads(cli("--json", "report", kind, "--from", "2000-01-01", "--to", "2030-12-31"))


def group_values(row):
    return [row["label"], row["deposits"], row["payments"], row["total"], row["currency"]]


def list_values(row):
    return [row["description"], row["amount"], row["currency"], row["converted"]]


def check_xlsx(kind, path, expected):
    import openpyxl
    book = openpyxl.load_workbook(path)
    check(book.sheetnames == [KINDS[kind]], f"{kind}: sheets {book.sheetnames}")
    sheet = book.active
    rows = list(sheet.iter_rows())
    header = next(i for i, r in enumerate(rows) if r[0].value in ("Date", "Category", "Project"))
    check(rows[0][0].value and rows[0][0].font.b, f"{kind}: the title is not in bold on top")
    check(any(r[0].value and "Period:" in str(r[0].value) for r in rows[:header]), f"{kind}: no period")
    check(sheet.freeze_panes == f"A{header + 2}", f"{kind}: frozen at {sheet.freeze_panes}")
    check(all(c.font.b for c in rows[header] if c.value), f"{kind}: header row not bold")
    body = rows[header + 1:header + 1 + len(expected["rows"])]
    totals = rows[header + 1 + len(expected["rows"]):]
    check(len(body) == len(expected["rows"]), f"{kind}: {len(body)} rows for {len(expected['rows'])}")
    for cells, want in zip(body, expected["rows"]):
        if kind == "transactions":
            got = [cells[3].value or "", hundredths(cells[8].value), cells[9].value, hundredths(cells[10].value)]
            check(cells[0].is_date, f"{kind}: date cell is {cells[0].value!r}")
            check(cells[0].value.date().isoformat() == want["date"][:10], f"{kind}: date {cells[0].value}")
            wanted = list_values(want)
            amount = cells[8]
        else:
            got = [cells[0].value, hundredths(cells[1].value), hundredths(cells[2].value),
                   hundredths(cells[3].value), cells[4].value]
            wanted = group_values(want)
            amount = cells[3]
        check(got == wanted, f"{kind}: row {got} != {wanted}")
        check(isinstance(amount.value, (int, float)), f"{kind}: amount stored as {type(amount.value)}")
        check("#,##0.00" in amount.number_format, f"{kind}: number format {amount.number_format}")
    t = expected["totals"]
    if kind == "transactions":
        # Label in the first column, the value under the converted amounts.
        labelled = {r[0].value: r[10] for r in totals}
        check(labelled["Transactions"].value == t["count"], f"{kind}: count {labelled['Transactions'].value}")
        pairs = (("Deposits", "deposits"), ("Payments", "payments"), ("Total", "net"))
    else:
        row = next(r for r in totals if r[0].value == "Total")
        labelled = {"Deposits": row[1], "Payments": row[2], "Total": row[3]}
        pairs = (("Deposits", "deposits"), ("Payments", "payments"), ("Total", "net"))
    for label, key in pairs:
        check(labelled[label].font.b, f"{kind}: total {label} not bold")
        check(hundredths(labelled[label].value) == t[key], f"{kind}: {label} {labelled[label].value} != {t[key]}")
    widths = [sheet.column_dimensions[c].width for c in "ABCD"]
    check(all(w and w >= 8 for w in widths), f"{kind}: widths {widths}")


def check_csv(kind, path, expected):
    with open(path, "rb") as f:
        data = f.read()
    check(data.count(b"\r\n") >= len(expected["rows"]) + 1, f"{kind}: lines do not end in CRLF")
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f, strict=True))
    check(len(rows) == len(expected["rows"]) + 1, f"{kind}: {len(rows)} lines for {len(expected['rows'])} rows")
    for fields, want in zip(rows[1:], expected["rows"]):
        for amount in ([fields[8], fields[10]] if kind == "transactions" else fields[1:4]):
            check(amount.lstrip("-").replace(".", "", 1).isdigit() and amount[-3] == ".",
                  f"{kind}: amount {amount!r} is not a plain decimal")
        if kind == "transactions":
            got = [fields[3], int(Decimal(fields[8]) * 100), fields[9], int(Decimal(fields[10]) * 100)]
            check(fields[0] == want["date"][:10], f"{kind}: date {fields[0]} != {want['date']}")
            wanted = list_values(want)
        else:
            got = [fields[0], *(int(Decimal(v) * 100) for v in fields[1:4]), fields[4]]
            wanted = group_values(want)
        check(got == wanted, f"{kind}: row {got} != {wanted}")
    if kind == "transactions":
        check(rows[0][:4] == ["Date", "Number", "Account", "Description"], f"header {rows[0]}")
        check(any(r[3] == AWKWARD for r in rows[1:]), "the quoted description did not round-trip")


def main():
    if FORMAT == "xlsx":
        try:
            import openpyxl  # noqa: F401
        except ImportError:
            print("python3-openpyxl is missing: skipped")
            return 77
    make_book()
    for kind in KINDS:
        path, expected = report(kind, FORMAT)
        check(expected["rows"], f"{kind}: the demo book gave an empty report")
        (check_xlsx if FORMAT == "xlsx" else check_csv)(kind, path, expected)
        leftovers = [n for n in os.listdir(WORK) if n.startswith(".")]
        check(not leftovers, f"temporary files left: {leftovers}")
    print(f"{FORMAT}: the three reports read back equal to the JSON report")
    return 0


sys.exit(main())
