#!/usr/bin/env python3
"""What `brinnow-cli compare --json` prints validates against
docs/compare.schema.json, with and without a game and for a campaign with
infinite and missing values; spoiled copies do not validate. `export-html
--compare` adds its section of charts and changes nothing else.

usage: compare_cli_check.py BRINNOW_CLI CAMPAIGN SCHEMA WORKDIR

Exits 77 (skipped) when python3-jsonschema is not installed.
"""
import copy
import json
import os
import subprocess
import sys
import xml.etree.ElementTree as ElementTree


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True, timeout=600)
    if result.returncode != 0:
        sys.exit(f"{' '.join(args)} failed: {result.stderr}")
    return result.stdout


def odd_campaign(cli, campaign, work):
    """The sample with Lion's DF infinite and a squadron naming a lost ship."""
    source = os.path.join(work, "sample.json")
    run(cli, "export-json", campaign, source)
    with open(source, encoding="utf-8") as f:
        data = json.load(f)
    for ship in data["ships"]:
        if ship["name"] == "Lion":
            ship["df"] = "Infinity"
    for scenario in data["scenarios"]:
        for force in scenario["forces"]:
            for squadron in force["squadrons"]:
                squadron["ships"].append("Lost")
    changed = os.path.join(work, "odd.json")
    with open(changed, "w", encoding="utf-8") as f:
        json.dump(data, f)
    odd = os.path.join(work, "odd.brn")
    run(cli, "import-json", changed, odd)
    return odd


def check_html_section(cli, campaign, work, game_path):
    """The page with --compare is the page without it plus the section, whose
    charts are well-formed SVG."""
    pages = []
    for name, extra in (("plain", []), ("compared", ["--compare"])):
        folder = os.path.join(work, name)
        os.makedirs(folder, exist_ok=True)
        page = os.path.join(folder, "page.htm")
        run(cli, "export-html", campaign, "Dogger Bank", page, "--game", game_path, *extra)
        with open(page, "rb") as f:
            pages.append(f.read())
    plain, compared = pages
    start = compared.find(b"<H2>Forces compared</H2>")
    end = compared.find(b"<H5><CENTER>", start)
    if start < 0 or end < 0 or compared[:start] + compared[end:] != plain:
        sys.exit("export-html --compare changed more than its section")
    section = compared[start:end].decode("cp1252").replace("\r\n", "\n")
    charts = section.split("<svg ")[1:]
    if len(charts) != 6:
        sys.exit(f"expected 6 charts, found {len(charts)}")
    for chart in charts:
        ElementTree.fromstring("<svg " + chart[:chart.index("</svg>") + 6])
    if "I. Aufklärungsgruppe" not in section:
        sys.exit("the legend lacks a force's name")


def main(cli, campaign, schema_path, work):
    try:
        import jsonschema
    except ImportError:
        print("skipped: python3-jsonschema is not installed")
        return 77
    os.makedirs(work, exist_ok=True)
    game_path = os.path.join(work, "dogger.game.json")
    if os.path.exists(game_path):
        os.remove(game_path)
    run(cli, "game", "new", campaign, "Dogger Bank", "-o", game_path)
    run(cli, "game", "mark", game_path, "--force", "1", "--ship", "Lion", "box1", "box2")
    run(cli, "game", "mark", game_path, "--force", "2", "--ship", "Blücher", "sunk", "box3")
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)

    plain = json.loads(run(cli, "compare", campaign, "Dogger Bank", "--json"))
    game = json.loads(run(cli, "compare", campaign, "Dogger Bank", "--game", game_path, "--json"))
    odd = json.loads(run(cli, "compare", odd_campaign(cli, campaign, work), "Dogger Bank", "--json"))
    for name, document in (("plain", plain), ("game", game), ("odd", odd)):
        errors = [e.message for e in validator.iter_errors(document)]
        if errors:
            sys.exit(f"the {name} comparison does not validate: " + "; ".join(errors[:5]))
    if "now" in plain["forces"][0] or game["forces"][0]["damageBoxes"] != 2:
        sys.exit(f"unexpected comparisons: {plain} {game}")
    if game["forces"][1]["now"]["ships"] != game["forces"][1]["ships"] - 1:
        sys.exit(f"the sunk Blücher still counts: {game['forces'][1]}")
    if odd["forces"][0]["df"] != "Infinity" or "Lost" not in odd["forces"][0]["missing"]:
        sys.exit(f"unexpected odd comparison: {odd['forces'][0]}")

    spoilers = [
        lambda d: d.pop("scenario"),
        lambda d: d["forces"][0].update(extra=1),
        lambda d: d["forces"][0].pop("now"),
        lambda d: d["forces"][0]["now"].update(extra=1),
        lambda d: d["forces"][0].update(mainAF=[1, 2, 3]),
        lambda d: d["forces"][0].update(df="inf"),
        lambda d: d["forces"][0]["byType"].update(XX=1),
        lambda d: d["forces"][0]["aa"].update(a=0),
        lambda d: d["forces"][0].update(force=0),
        lambda d: d["forces"][0].update(damageBoxes=-1),
    ]
    for i, spoil in enumerate(spoilers):
        spoiled = copy.deepcopy(game)
        spoil(spoiled)
        if validator.is_valid(spoiled):
            sys.exit(f"spoiled copy {i} validates")
    check_html_section(cli, campaign, work, game_path)
    print("the comparisons validate, their spoiled copies do not, and the page's section is apart")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
