#!/usr/bin/env python3
"""End-to-end tests of the real vantor.exe under Wine on an X display:
start it as a user would, find its window by caption, close it through
the window system and check the exit code.

    vantor_e2e.py CASE VANTOR_EXE MAKE_SAMPLE_EXE

Exit status 0 when the case passes, 77 when there is no display to run on.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

START_TIMEOUT = 60.0
EXIT_TIMEOUT = 30.0
SKIP = 77


def windows_path(path):
    """The path as a Wine program sees it, through drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def xdotool(*args):
    result = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    return result.stdout.split()


def visible_windows(name_regex):
    return xdotool("search", "--onlyvisible", "--name", name_regex)


def window_name(window):
    result = subprocess.run(["xdotool", "getwindowname", window], capture_output=True, text=True)
    return result.stdout.rstrip("\n")


def wait_for_window(caption, process):
    """The one visible window whose caption is exactly caption."""
    pattern = "^" + "".join("\\" + c if c in r"\.[]()*+?^$|{}" else c for c in caption) + "$"
    deadline = time.monotonic() + START_TIMEOUT
    while time.monotonic() < deadline:
        found = visible_windows(pattern)
        if found:
            return found[0]
        if process.poll() is not None:
            fail(f"the program ended with {process.returncode} before showing {caption!r}")
        time.sleep(0.1)
    names = [window_name(w) for w in visible_windows(".")]
    fail(f"no window {caption!r} within {START_TIMEOUT:.0f} s; visible: {names}")


def close_with_alt_f4(window):
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "--clearmodifiers", "alt+F4")


def wait_for_exit(process):
    try:
        return process.wait(timeout=EXIT_TIMEOUT)
    except subprocess.TimeoutExpired:
        process.kill()
        fail(f"the program did not end within {EXIT_TIMEOUT:.0f} s of the close request")


def fail(message):
    print("FAIL:", message, file=sys.stderr)
    sys.exit(1)


def run_case(exe, arguments, caption, check_window=None):
    process = subprocess.Popen(["wine", exe, *arguments])
    try:
        window = wait_for_window(caption, process)
        if check_window:
            check_window(window)
        close_with_alt_f4(window)
        code = wait_for_exit(process)
    finally:
        if process.poll() is None:
            process.kill()
    if code != 0:
        fail(f"exit code {code}, expected 0")
    print(f"ok: {caption!r} came up and closed with 0")


def only_window_is(caption):
    def check(window):
        time.sleep(1.0)  # a message box would come up right after the window
        names = sorted(window_name(w) for w in visible_windows("."))
        if names != [caption]:
            fail(f"expected only the window {caption!r}, visible: {names}")
    return check


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    case, exe, make_sample = sys.argv[1:]
    if not os.environ.get("DISPLAY"):
        print("skipped: no X display (tools/test runs these under xvfb-run)")
        sys.exit(SKIP)
    work = tempfile.mkdtemp(prefix="vantor-e2e-")
    try:
        if case == "quoted-path-with-spaces":
            folder = os.path.join(work, "My Replays")
            os.mkdir(folder)
            replay = os.path.join(folder, "race day.rpl")
            subprocess.run(["wine", make_sample, windows_path(replay)], check=True)
            # Wine quotes an argument that holds spaces, as a Windows shell would.
            run_case(exe, [windows_path(replay)], "Vantor : [race day.rpl]")
        elif case == "no-argument":
            run_case(exe, [], "Vantor", only_window_is("Vantor"))
        elif case == "missing-path":
            missing = windows_path(os.path.join(work, "missing.rpl"))
            run_case(exe, [missing], "Vantor", only_window_is("Vantor"))
        else:
            sys.exit(f"unknown case {case}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
