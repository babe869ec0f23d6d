#!/usr/bin/env python3
"""The bad inputs through vantor-info --json, one run per input and one
run with all of them: a readable file gives one valid JSON line with the
window's caption and eight records, and exit code 0; a path that cannot be
read gives one message on standard error naming it, and exit code 1.

    bad_input_cli.py VANTOR_INFO MAKE_SAMPLE            (natively)
    bad_input_cli.py --wine VANTOR_INFO_EXE MAKE_SAMPLE_EXE HOLD_FILE_EXE
"""
import contextlib
import json
import os
import shutil
import subprocess
import sys
import tempfile

from bad_inputs import CASES, Holder, make_case

failures = []


def base_name(path):
    """The window's rule: what follows the last backslash after the first character."""
    cut = path.rfind("\\", 1)
    return path[cut + 1:] if cut > 0 else path


def is_gear_note(line):
    """The reader's own line and vantor-info's note, for a gear value outside the steps."""
    return line == "Error in read GearRatio" or "gear ratio not a known step" in line


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


class Runner:
    def __init__(self, wine, exe, make_sample, hold_exe=None):
        self.wine, self.exe, self.make_sample, self.hold_exe = wine, exe, make_sample, hold_exe

    def program_path(self, path):
        return "Z:" + os.path.abspath(path).replace("/", "\\") if self.wine else path

    def command(self, *args):
        return (["wine"] if self.wine else []) + list(args)

    def sample(self, work):
        path = os.path.join(work, "sample.rpl")
        subprocess.run(self.command(self.make_sample, self.program_path(path)), check=True)
        with open(path, "rb") as replay:
            return replay.read()

    def info(self, paths):
        args = self.command(self.exe, "--json", "--", *(self.program_path(p) for p in paths))
        result = subprocess.run(args, capture_output=True, timeout=120)
        err = [line for line in result.stderr.decode("utf-8", "replace").splitlines() if line.strip()]
        if self.wine:  # Wine's own warnings, if any, are not the program's
            err = [line for line in err if line.startswith("vantor-info")]
        return result.returncode, result.stdout.decode("utf-8"), err


def expected_outcome(name, case):
    """'json', 'error' or 'nothing' (a folder is searched for replays; an empty one gives none)."""
    if not case.exists or name == "held-open":
        return "error"
    if name == "directory":
        return "nothing"
    return "json"


def check_case(runner, name, case):
    code, out, err = runner.info([case.path])
    outcome = expected_outcome(name, case)
    lines = out.splitlines()
    if outcome == "json":
        check(code == 0, f"{name}: exit code {code}, expected 0")
        if check(len(lines) == 1, f"{name}: {len(lines)} JSON lines, expected 1"):
            obj = json.loads(lines[0])
            # vantor-info holds paths as UTF-8 and cuts the caption at 255 bytes.
            whole = "Vantor : [" + base_name(runner.program_path(case.path)) + "]"
            expected = whole.encode()[:255].decode("utf-8", "replace")
            check(obj["caption"] == expected, f"{name}: caption {obj['caption']!r}, expected {expected!r}")
            check([r["place"] for r in obj["records"]] == list(range(1, 9)), f"{name}: records are not places 1 to 8")
            if name in ("4582-bytes", "sparse-3gib", "non-ascii-name", "long-name"):
                check(obj["driver"] == "Ilse K.", f"{name}: driver {obj['driver']!r}")
        # Only the note of a gear value outside the steps may come with a result.
        check(all(is_gear_note(line) for line in err), f"{name}: unexpected messages {err}")
    elif outcome == "error":
        check(code == 1, f"{name}: exit code {code}, expected 1")
        check(out == "", f"{name}: output {out!r} for a file that cannot be read")
        shown = runner.program_path(case.path)
        check(len(err) == 1 and err[0].startswith(f"vantor-info: {shown}: ") and len(err[0]) > len(shown) + 16,
              f"{name}: expected one message naming {shown} and a reason, got {err}")
    else:
        check(code == 0 and out == "" and err == [], f"{name}: exit {code}, output {out!r}, messages {err}")
    return outcome


def main():
    args = sys.argv[1:]
    wine = bool(args) and args[0] == "--wine"
    if wine:
        args = args[1:]
    if len(args) != (3 if wine else 2):
        sys.exit(__doc__)
    runner = Runner(wine, *args)
    # POSIX has no share modes, and the tests may run as root, who reads any file.
    names = [name for name in CASES if wine or name != "held-open"]
    work = tempfile.mkdtemp(prefix="vantor-bad-input-")
    cases = {}
    try:
        sample = runner.sample(work)
        for name in names:
            cases[name] = make_case(name, work, sample)
        holder = Holder(runner.hold_exe, runner.program_path(cases["held-open"].path)) if wine else None
        with holder or contextlib.nullcontext():
            outcomes = {name: check_case(runner, name, case) for name, case in cases.items()}
            # All at once: every readable file printed, every other one named, exit 1.
            code, out, err = runner.info([case.path for case in cases.values()])
            for line in out.splitlines():
                json.loads(line)
            check(code == 1, f"all: exit code {code}, expected 1")
            check(len(out.splitlines()) == list(outcomes.values()).count("json"), "all: JSON lines per readable file")
            check(len([e for e in err if not is_gear_note(e)]) == list(outcomes.values()).count("error"),
                  f"all: one message per unreadable path, got {err}")
    finally:
        for case in cases.values():
            for clean in case.cleanup:
                clean()
        shutil.rmtree(work, ignore_errors=True)
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    print(f"{len(names) + 1 - len({f.split(':')[0] for f in failures})} passed, "
          f"{len({f.split(':')[0] for f in failures})} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
