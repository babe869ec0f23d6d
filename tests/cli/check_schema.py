"""Checks vantor-info's real JSON lines against its JSON Schema.
    check_schema.py VANTOR_INFO SCHEMA REPLAY..."""
import json, subprocess, sys
import jsonschema

vantor_info, schema_file, *replays = sys.argv[1:]
schema = json.load(open(schema_file, encoding="utf-8"))
printed = subprocess.run([vantor_info, "--schema"], capture_output=True, check=True).stdout
assert json.loads(printed) == schema, "--schema differs from the schema file"
lines = subprocess.run([vantor_info, "--json", *replays], capture_output=True).stdout.splitlines()
assert len(lines) == len(replays), lines
for line in lines:
    jsonschema.validate(json.loads(line), schema)
broken = json.loads(lines[0])
del broken["records"][0]["rawTime"]
try:
    jsonschema.validate(broken, schema)
    sys.exit("the schema accepts a record without its raw time")
except jsonschema.ValidationError:
    pass
diff = subprocess.run([vantor_info, "--json", "--diff", *replays[:2]], capture_output=True).stdout
jsonschema.validate(json.loads(diff), {"$schema": schema["$schema"], "$defs": schema["$defs"], "$ref": "#/$defs/diff"})
print(f"{len(lines)} lines and a diff match the schema")
