#!/usr/bin/env python3
"""Every kind of object vantor-info --json prints, validated against the
schema it ships (--schema) by a real validator. The schema lets scripts
meet keys it does not name; here every object it describes is closed, so
a key added to the output and not to the schema fails too. Each --diff
field must lead, as a JSON Pointer, to its a and b values in the lines.

    schema_check.py VANTOR_INFO MAKE_SAMPLE
"""
import json
import os
import subprocess
import sys
import tempfile

from jsonschema import Draft202012Validator


def closed(schema):
    if isinstance(schema, list):
        return [closed(s) for s in schema]
    if not isinstance(schema, dict):
        return schema
    out = {key: closed(value) for key, value in schema.items()}
    if "properties" in schema:
        out["additionalProperties"] = False
    return out


def at(document, pointer):
    for token in pointer.split("/")[1:]:
        token = token.replace("~1", "/").replace("~0", "~")
        document = document[int(token)] if isinstance(document, list) else document[token]
    return document


def main():
    tool, make_sample = sys.argv[1:]
    run = lambda *args: subprocess.run([tool, *args], capture_output=True, text=True).stdout
    schema = json.loads(run("--schema"))
    Draft202012Validator.check_schema(schema)
    line_check = Draft202012Validator(closed(schema))
    diff_check = Draft202012Validator({"$defs": closed(schema)["$defs"], "$ref": "#/$defs/diff"})
    with tempfile.TemporaryDirectory(prefix="vantor-schema-") as work:
        path = lambda name: os.path.join(work, name)
        subprocess.run([make_sample, path("full.rpl")], check=True)
        full = open(path("full.rpl"), "rb").read()
        replays = {"full.rpl": full, "cut.rpl": full[:3500],  # 3rd gear at 3496 an unknown step:
                   "gear.rpl": full[:3496] + b"\x01\x00\x00\x00" + full[3500:], "odd.rpl": bytes(range(256)) * 18}
        for name, data in replays.items():
            open(path(name), "wb").write(data)
        problems = []
        lines = {}
        for text in run("--json", work).splitlines():
            line = json.loads(text)
            lines[line["path"]] = line
            problems += [f"{line['path']}: {e.message}" for e in line_check.iter_errors(line)]
        if len(lines) != len(replays):
            problems.append(f"{len(lines)} lines for {len(replays)} replays")
        for other in ("cut.rpl", "gear.rpl", "odd.rpl"):
            diff = json.loads(run("--json", "--diff", path("full.rpl"), path(other)))
            problems += [f"diff {other}: {e.message}" for e in diff_check.iter_errors(diff)]
            for d in diff["differences"]:
                if (at(lines[diff["a"]], d["field"]), at(lines[diff["b"]], d["field"])) != (d["a"], d["b"]):
                    problems.append(f"diff {other}: {d['field']} does not lead to its values")
    for problem in problems:
        print("FAIL:", problem)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
