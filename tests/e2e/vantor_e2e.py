#!/usr/bin/env python3
"""The real vantor.exe under Wine, started with a quoted path that holds
spaces, a name in Greek and Japanese letters, a path of over 300
characters, no argument, a missing path:
only its window, with the right caption, comes up; Alt+F4 ends it with 0.

    vantor_e2e.py VANTOR_EXE MAKE_SAMPLE_EXE      (exit 77: no display)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout


def visible_windows():
    ids = xdotool("search", "--onlyvisible", "--name", ".").split()
    return {w: xdotool("getwindowname", w).rstrip("\n") for w in ids}


def problem_with(exe, arguments, caption):
    process = subprocess.Popen(["wine", exe, *arguments])
    try:
        deadline = time.monotonic() + 60
        while not visible_windows() and process.poll() is None and time.monotonic() < deadline:
            time.sleep(0.1)
        time.sleep(0.5)  # a message box comes up with the window, or instead of it
        shown = visible_windows()
        if sorted(shown.values()) != [caption]:
            return f"expected only the window {caption!r}, visible: {sorted(shown.values())}"
        for _ in range(6):  # a key pressed while the focus is still on its way is lost
            xdotool("windowfocus", "--sync", *shown)
            xdotool("key", "--clearmodifiers", "alt+F4")
            try:
                code = process.wait(timeout=5)
                return f"exit status {code}" if code else None
            except subprocess.TimeoutExpired:
                if (now := visible_windows()) and set(now) != set(shown):
                    return f"another window came up: {sorted(now.values())}"
        return "still running 30 s after Alt+F4"
    finally:
        process.kill()  # nothing when it has ended
        process.wait()


def main():
    if not os.environ.get("DISPLAY"):
        sys.exit(print("skipped: no X display (tools/test runs this under xvfb-run)") or 77)
    exe, make_sample = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="vantor-e2e-") as work:
        replay = os.path.join(work, "My Replays", "race day.rpl")
        os.mkdir(os.path.dirname(replay))
        subprocess.run(["wine", make_sample, windows_path(replay)], check=True)
        # Copied here: the maker takes its path in the ANSI code page.
        foreign = shutil.copy(replay, os.path.join(work, "\u0395\u03bb\u03bb\u03ac\u03b4\u03b1 \u6771\u4eac.rpl"))
        deep = os.path.join(work, *(letter * 100 for letter in "def"))
        os.makedirs(deep)
        deep = shutil.copy(replay, deep)
        # Wine quotes an argument that holds spaces, as a Windows shell does.
        problems = [(name, problem_with(exe, arguments, caption)) for name, arguments, caption in [
            ("quoted path with spaces", [windows_path(replay)], "Vantor : [race day.rpl]"),
            ("Greek and Japanese name", [windows_path(foreign)], f"Vantor : [{os.path.basename(foreign)}]"),
            (f"path of {len(windows_path(deep))} characters", [windows_path(deep)], "Vantor : [race day.rpl]"),
            ("no argument", [], "Vantor"),
            ("missing path", [windows_path(os.path.join(work, "none.rpl"))], "Vantor")]]
    for name, problem in problems:
        print(f"FAIL: {name}: {problem}" if problem else f"ok: {name}")
    sys.exit(1 if any(problem for _, problem in problems) else 0)


if __name__ == "__main__":
    main()
