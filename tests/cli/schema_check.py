#!/usr/bin/env python3
"""schema_check.py VANTOR_INFO MAKE_SAMPLE: each kind of --json object, validated against the
schema vantor-info ships, every object it describes closed (an undescribed key fails); each --diff
field must lead, as a JSON Pointer, to its values in the two lines."""
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


def main():
    tool, make_sample = sys.argv[1:]
    run = lambda *args: subprocess.run([tool, *args], capture_output=True, text=True).stdout
    close = lambda o: {**o, "additionalProperties": False} if "properties" in o else o
    schema = json.loads(run("--schema"), object_hook=close)
    Draft202012Validator.check_schema(schema)
    line_check = Draft202012Validator(schema)
    diff_check = Draft202012Validator({"$defs": schema["$defs"], "$ref": "#/$defs/diff"})
    with tempfile.TemporaryDirectory(prefix="vantor-schema-") as work:
        subprocess.run([make_sample, os.path.join(work, "full.rpl")], check=True)
        full = open(os.path.join(work, "full.rpl"), "rb").read()
        replays = {"cut": full[:3500], "gear": full[:3496] + b"\1\0\0\0" + full[3500:],  # 3rd gear: no known step
                   "odd": bytes(range(256)) * 18, "empty": b""}
        for name, data in replays.items():
            open(os.path.join(work, name + ".rpl"), "wb").write(data)
        lines = {line["path"]: line for line in map(json.loads, run("--json", work).splitlines())}
        problems = [f"{path}: {e.message}" for path, line in lines.items() for e in line_check.iter_errors(line)]
        problems += [f"{len(lines)} lines for 5 replays"] if len(lines) != 5 else []
        for name in replays:
            diff = json.loads(run("--json", "--diff", os.path.join(work, "full.rpl"), os.path.join(work, name + ".rpl")))
            problems += [f"diff {name}: {e.message}" for e in diff_check.iter_errors(diff)]
            problems += [f"diff {name}: {d['field']} does not lead to its values" for d in diff["differences"]
                         if (at(lines[diff["a"]], d["field"]), at(lines[diff["b"]], d["field"])) != (d["a"], d["b"])]
    for problem in problems:
        print("FAIL:", problem)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
