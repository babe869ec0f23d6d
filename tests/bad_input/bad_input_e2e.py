#!/usr/bin/env python3
"""One bad input through the real vantor.exe under Wine: started with it
on the command line, the program must come up with the caption the load
gives, show no other window (no message box, no crash dialog), and end
with exit code 0 when closed.

    bad_input_e2e.py CASE VANTOR_EXE MAKE_SAMPLE_EXE HOLD_FILE_EXE

Exit status 0 when the case passes, 77 when there is no display to run on.
"""
import contextlib
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import vantor_e2e as e2e  # noqa: E402  (the window helpers of the other end-to-end tests)

from bad_inputs import CASES, Holder, make_case  # noqa: E402


def sample_bytes(make_sample, work):
    path = os.path.join(work, "sample.rpl")
    subprocess.run(["wine", make_sample, e2e.windows_path(path)], check=True)
    with open(path, "rb") as replay:
        return replay.read()


def main():
    if len(sys.argv) != 5 or sys.argv[1] not in CASES:
        sys.exit(__doc__ + "\ncases: " + " ".join(CASES))
    name, exe, make_sample, hold_exe = sys.argv[1:]
    if not os.environ.get("DISPLAY"):
        print("skipped: no X display (tools/test runs these under xvfb-run)")
        sys.exit(e2e.SKIP)
    work = tempfile.mkdtemp(prefix="vantor-bad-input-")
    case = None
    try:
        case = make_case(name, work, sample_bytes(make_sample, work))
        path = e2e.windows_path(case.path)
        with Holder(hold_exe, path) if name == "held-open" else contextlib.nullcontext():
            e2e.run_case(exe, [path], case.caption, e2e.only_window_is(case.caption))
    finally:
        for clean in case.cleanup if case else []:
            clean()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
