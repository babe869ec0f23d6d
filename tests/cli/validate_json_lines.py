"""Checks every line of a vantor-info --json output against the schema.

usage: validate_json_lines.py SCHEMA OUTPUT
Exits 0 when every line is one valid object, 1 (naming the line) otherwise.
"""
import json
import sys

import jsonschema


def main(schema_path, output_path):
    with open(schema_path, encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    validator = jsonschema.Draft202012Validator(schema)
    with open(output_path, "rb") as output:
        lines = output.read().split(b"\n")
    if lines[-1] != b"":
        print("output does not end with a newline")
        return 1
    if len(lines) < 2:
        print("no JSON lines")
        return 1
    for number, line in enumerate(lines[:-1], 1):
        try:
            validator.validate(json.loads(line.decode("utf-8", errors="strict")))
        except (ValueError, jsonschema.ValidationError) as error:
            print(f"line {number}: {getattr(error, 'message', error)}")
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
