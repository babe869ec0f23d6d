#!/usr/bin/env python3
"""schema_check.py VANTOR_INFO MAKE_SAMPLE: each kind of --json object, validated against the
schema vantor-info ships, every object it describes closed (an undescribed key fails); each --diff
field must lead, as a JSON Pointer, to its values in the two lines; --csv, read by Python's csv
module, holds the lines' values."""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

from jsonschema import Draft202012Validator


def at(document, pointer):
    for token in pointer.split("/")[1:]:
        document = document[int(token) if isinstance(document, list) else token]
    return document


def csv_problems(text, lines):
    """Each --csv row holds its JSON line's values: null an empty cell, a column name its place in the line."""
    gears = ["1st", "2nd", "3rd", "4th", "5th", "6th", "reverse", "final"]
    rows = list(csv.DictReader(io.StringIO(text.removeprefix("\ufeff"), newline="")))
    problems = [] if text.startswith("\ufeff") and "\r\n" in text else ["csv: no byte order mark or CR LF"]
    for row in rows:
        line = lines[row["path"]]
        for column, cell in row.items():
            keys = column.split(".")
            if column == "gearNote":
                continue
            value = line[keys[0]]
            if len(keys) == 2:
                value = value[gears.index(keys[1])] if keys[0] == "gears" else \
                    value[["left", "right"].index(keys[1])] if isinstance(value, list) else value[keys[1]]
            want = "" if value is None else str(value).lower() if isinstance(value, bool) else str(value)
            if cell != want:
                problems.append(f"csv {row['path']} {column}: {cell!r}, JSON {want!r}")
    return problems + ([] if len(rows) == len(lines) else ["csv: one row a replay"])


def main():
    tool, make_sample = sys.argv[1:]
    run = lambda *args: subprocess.run([tool, *args], capture_output=True, text=True).stdout
    close = lambda o: {**o, "additionalProperties": False} if "properties" in o else o
    schema = json.loads(run("--schema"), object_hook=close)
    Draft202012Validator.check_schema(schema)
    line_check = Draft202012Validator(schema)
    diff_check = Draft202012Validator({"$defs": schema["$defs"], "$ref": "#/$defs/diff"})
    records_check = Draft202012Validator({"$defs": schema["$defs"], "$ref": "#/$defs/records"})
    with tempfile.TemporaryDirectory(prefix="vantor-schema-") as work:
        subprocess.run([make_sample, os.path.join(work, "full.rpl")], check=True)
        full = open(os.path.join(work, "full.rpl"), "rb").read()
        replays = {"cut": full[:3500], "gear": full[:3496] + b"\1\0\0\0" + full[3500:],  # 3rd gear: no known step
                   "odd": bytes(range(256)) * 18, "empty": b"", "names": full.replace(b"Ilse K.", b"A,\"b\"\r\n")}
        for name, data in replays.items():
            open(os.path.join(work, name + ".rpl"), "wb").write(data)
        lines = {line["path"]: line for line in map(json.loads, run("--json", work).splitlines())}
        problems = [f"{path}: {e.message}" for path, line in lines.items() for e in line_check.iter_errors(line)]
        problems += [f"{len(lines)} lines for 6 replays"] if len(lines) != 6 else []
        for name in replays:
            diff = json.loads(run("--json", "--diff", os.path.join(work, "full.rpl"), os.path.join(work, name + ".rpl")))
            problems += [f"diff {name}: {e.message}" for e in diff_check.iter_errors(diff)]
            problems += [f"diff {name}: {d['field']} does not lead to its values" for d in diff["differences"]
                         if (at(lines[diff["a"]], d["field"]), at(lines[diff["b"]], d["field"])) != (d["a"], d["b"])]
        records = [json.loads(line) for line in run("--json", "--records", work, work).splitlines()]
        problems += [f"records: {e.message}" for r in records for e in records_check.iter_errors(r)]
        problems += [] if records and all(r["files"] % 2 == 0 for g in records for r in g["records"]) else ["records"]
        raw = subprocess.run([tool, "--csv", work], capture_output=True).stdout.decode()
        problems += csv_problems(raw, lines)
    for problem in problems:
        print("FAIL:", problem)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
