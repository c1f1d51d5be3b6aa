#!/usr/bin/env python3
"""Checks the campaign JSON and ships CSV from outside, as other tools see them.

usage: interchange_check.py schema|csv|calc|calc-import BRINNOW_CLI SAMPLE SCHEMA WORKDIR

schema       the sample's JSON validates against the schema, and spoiled copies do not
csv          Python's csv module reads one row per ship, whatever names and notes hold
calc         LibreOffice Calc, run headless, reads the same rows
calc-import  the sample's CSV saved again by LibreOffice Calc, with commas, with
             semicolons, and with semicolons and decimal commas as Calc in German
             saves it, imports into the sample without changing a byte

Exits 77 (skipped) when the validator or LibreOffice is not installed.
"""
import csv
import copy
import io
import json
import os
import shutil
import subprocess
import sys

SKIPPED = 77


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True, timeout=600)
    if result.returncode != 0:
        sys.exit(f"{' '.join(args)} failed: {result.stderr}")


def export_json(cli, document, path):
    run(cli, "export-json", document, path)
    with open(path, encoding="utf-8") as f:
        return json.load(f)


def check_schema(cli, sample, schema_path, work):
    try:
        import jsonschema
    except ImportError:
        print("skipped: python3-jsonschema is not installed")
        return SKIPPED
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    campaign = export_json(cli, sample, os.path.join(work, "sample.json"))
    errors = [e.message for e in validator.iter_errors(campaign)]
    if errors:
        sys.exit("the sample's JSON does not validate: " + "; ".join(errors[:5]))
    spoilers = [
        lambda c: c.pop("ships"),
        lambda c: c["ships"][0].update(nation=2**31),
        lambda c: c["ships"][0].update(mainAF=[1, 2, 3]),
        lambda c: c["ships"][0].update(df="nan"),
        lambda c: c["nations"][0].update(name="\u0080"),
        lambda c: c["armaments"][0].update(extra=1),
    ]
    for number, spoil in enumerate(spoilers):
        spoiled = copy.deepcopy(campaign)
        spoil(spoiled)
        if validator.is_valid(spoiled):
            sys.exit(f"spoiled copy {number} validates, the schema is too loose")
    print(f"schema: the sample validates, {len(spoilers)} spoiled copies do not")
    return 0


HOSTILE_NAMES = [
    "Comma, in the name", 'Quote " in the name', '"Quoted"', "Line\r\nbreak", "Line\nfeed",
    "  spaces  ", "", "=1+1", "+44", "-dash", "@SUM(A1)", "\tTab", "\u20ac\u0081\u00ff", ",",
    '"', "\r\n", "x" * 5000,
]


def shown_as_text(text):
    """A text as the export protects it from being run as a formula."""
    return "'" + text if text[:1] in ("=", "+", "-", "@", "\t", "\r") else text


def hostile_campaign(cli, sample, work, long_notes):
    campaign = export_json(cli, sample, os.path.join(work, "base.json"))
    template = campaign["ships"][0]
    ships = []
    for number, name in enumerate(HOSTILE_NAMES):
        ship = copy.deepcopy(template)
        ship["name"] = name
        ship["notes"] = f'Notes of {number}: "quoted", split\r\nover lines\n\n' + (
            "n" * long_notes)
        ship["nation"] = -5 if number % 2 else 10**6
        ships.append(ship)
    campaign["ships"] += ships
    source = os.path.join(work, "hostile.json")
    with open(source, "w", encoding="utf-8") as f:
        json.dump(campaign, f, ensure_ascii=False)
    document = os.path.join(work, "hostile.brn")
    run(cli, "import-json", source, document)
    return document, campaign["ships"]


def read_rows(path, encoding):
    csv.field_size_limit(sys.maxsize)
    with open(path, encoding=encoding, newline="") as f:
        return list(csv.reader(f, strict=True))


def check_rows(rows, ships, normalise=lambda text: text):
    header, body = rows[0], rows[1:]
    if len(body) != len(ships):
        sys.exit(f"{len(body)} rows for {len(ships)} ships")
    name, notes = header.index("Name"), header.index("Notes")
    for row, ship in zip(body, ships):
        if len(row) != len(header):
            sys.exit(f"a row of {len(row)} fields under a header of {len(header)}")
        if row[name] != normalise(ship["name"]) or row[notes] != normalise(ship["notes"]):
            sys.exit(f"row of {ship['name'][:40]!r} reads {row[name][:40]!r}")


def check_csv(cli, sample, _schema, work):
    document, ships = hostile_campaign(cli, sample, work, long_notes=1 << 20)
    output = os.path.join(work, "ships.csv")
    run(cli, "export-csv", document, output, "--raw")
    with open(output, "rb") as f:
        if not f.read(3) == b"\xef\xbb\xbf":
            sys.exit("the CSV does not start with a UTF-8 byte order mark")
    rows = read_rows(output, "utf-8-sig")
    check_rows(rows, ships)
    protected = os.path.join(work, "protected.csv")
    run(cli, "export-csv", document, protected)
    check_rows(read_rows(protected, "utf-8-sig"), ships, normalise=shown_as_text)
    expected = ["Name", "Nation", "Nation Index", "Main Armament", "Main Armament Index",
                "Main AF 1", "Main AF 2", "Main AF 3", "Main AF 4"]
    if rows[0][:len(expected)] != expected:
        sys.exit(f"unexpected header {rows[0][:9]}")
    print(f"csv: {len(rows) - 1} rows for {len(ships)} ships")
    return 0


# A LibreOffice profile whose locale writes numbers with decimal commas.
GERMAN_PROFILE = """<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse">
<value>de-DE</value></prop></item>
</oor:items>
"""


def calc_saved(soffice, source, work, delimiter=44, german=False):
    """The CSV as LibreOffice Calc saves it again, delimited by the character code;
    german: as Calc in a German locale saves it, numbers with decimal commas."""
    out = os.path.join(work, f"calc{delimiter}{'de' if german else ''}")
    os.makedirs(out, exist_ok=True)
    profile = os.path.join(work, "profile-de" if german else "profile")
    if german:
        os.makedirs(os.path.join(profile, "user"), exist_ok=True)
        with open(os.path.join(profile, "user", "registrymodifications.xcu"), "w") as f:
            f.write(GERMAN_PROFILE)
    # Read as UTF-8 comma-separated text with quotes and English numbers (as a
    # user picks in Calc's import dialog), a text such as "=1+1" kept as text
    # rather than evaluated; written back the same way.
    run(soffice, "--headless", "--norestore", f"-env:UserInstallation=file://{profile}",
        "--infilter=CSV:44,34,76,1,,1033,false,false,,,false,,false",
        "--convert-to", f"csv:Text - txt - csv (StarCalc):{delimiter},34,76,1",
        "--outdir", out, source)
    return os.path.join(out, os.path.basename(source))


def find_soffice():
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("skipped: LibreOffice is not installed")
    return soffice


def check_calc(cli, sample, _schema, work):
    soffice = find_soffice()
    if not soffice:
        return SKIPPED
    document, ships = hostile_campaign(cli, sample, work, long_notes=2000)
    source = os.path.join(work, "ships.csv")
    run(cli, "export-csv", document, source)
    rows = read_rows(calc_saved(soffice, source, work), "utf-8-sig")
    # A cell keeps its line breaks as line feeds; what would run as a formula
    # shows as text.
    check_rows(rows, ships,
               normalise=lambda text: shown_as_text(text).replace("\r\n", "\n"))
    print(f"calc: LibreOffice reads {len(rows) - 1} rows for {len(ships)} ships")
    return 0


def check_calc_import(cli, sample, _schema, work):
    soffice = find_soffice()
    if not soffice:
        return SKIPPED
    source = os.path.join(work, "ships.csv")
    run(cli, "export-csv", sample, source)
    expected = os.path.join(work, "expected.brn")
    run(cli, "save-as", sample, expected)
    with open(expected, "rb") as f:
        expected_bytes = f.read()
    for delimiter, german in ((44, False), (59, False), (59, True)):
        saved = calc_saved(soffice, source, work, delimiter, german)
        if german and ";0,5;" not in open(saved, encoding="utf-8-sig").read():
            sys.exit("Calc in German wrote no decimal comma")
        imported = os.path.join(work, f"imported{delimiter}{'de' if german else ''}.brn")
        result = subprocess.run([cli, "import-csv", sample, saved, "-o", imported],
                                capture_output=True, text=True, timeout=600)
        if result.returncode != 0:
            sys.exit(f"import-csv of Calc's {chr(delimiter)!r} CSV failed: {result.stderr}")
        if not result.stdout.startswith("0 ships added, 0 changed, "):
            sys.exit(f"Calc's {chr(delimiter)!r} CSV changes the sample: {result.stdout[:2000]}")
        with open(imported, "rb") as f:
            if f.read() != expected_bytes:
                sys.exit(f"the sample imported from Calc's {chr(delimiter)!r} CSV differs")
    print("calc-import: the sample's CSV saved by LibreOffice imports without a change")
    return 0


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    mode, cli, sample, schema, work = sys.argv[1:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    checks = {"schema": check_schema, "csv": check_csv, "calc": check_calc,
              "calc-import": check_calc_import}
    return checks[mode](cli, sample, schema, work)


if __name__ == "__main__":
    sys.exit(main())
