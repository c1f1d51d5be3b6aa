#!/usr/bin/env python3
"""A game written by the tool validates against docs/game.schema.json, and
spoiled copies do not.

usage: game_schema_check.py BRINNOW_CLI CAMPAIGN SCHEMA WORKDIR

Exits 77 (skipped) when python3-jsonschema is not installed.
"""
import copy
import json
import os
import subprocess
import sys


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True, timeout=600)
    if result.returncode != 0:
        sys.exit(f"{' '.join(args)} failed: {result.stderr}")


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
    run(cli, "game", "mark", game_path, "--force", "1", "--ship", "Lion",
        "fire-control", "bridge", "af4", "speed5", "box18")
    run(cli, "game", "mark", game_path, "--force", "1", "--ship", "Lion", "bridge")
    run(cli, "game", "mark", game_path, "--force", "2", "--ship", "Blücher", "--turn", "4", "sunk")
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    with open(game_path, encoding="utf-8") as f:
        game = json.load(f)
    errors = [e.message for e in validator.iter_errors(game)]
    if errors:
        sys.exit("the game does not validate: " + "; ".join(errors[:5]))
    if len(game["ships"]) != 2 or len(game["log"]) != 7:
        sys.exit(f"unexpected game: {game}")
    spoilers = [
        lambda g: g.pop("log"),
        lambda g: g.update(version=2),
        lambda g: g.update(turn=0),
        lambda g: g["ships"][0].update(marks=[]),
        lambda g: g["ships"][0].update(marks=["box19"]),
        lambda g: g["ships"][0].update(marks=["aa", "aa"]),
        lambda g: g["ships"][0].update(squadron=0),
        lambda g: g["ships"][1].update(role="single"),
        lambda g: g["ships"][0].update(name="\u03a9"),
        lambda g: g["log"][0].update(marked=1),
        lambda g: g["log"][0].update(extra=1),
    ]
    for number, spoil in enumerate(spoilers):
        spoiled = copy.deepcopy(game)
        spoil(spoiled)
        if validator.is_valid(spoiled):
            sys.exit(f"spoiled game {number} validates")
    print("the game validates and its spoiled copies do not")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
