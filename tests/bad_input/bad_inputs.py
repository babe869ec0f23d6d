"""The bad inputs that a replay from anywhere can be, made on disk for
the end-to-end runs of vantor.exe and vantor-info. Each case gives the
path to hand over, and what the window's caption must be then."""
import os
import random
import subprocess

LONG_NAME_LENGTH = 250
CAPTION_MAX = 255
NON_ASCII_NAME = "Genève à l'aube Été.rpl"  # letters of the Windows-1252 code page

CASES = ["empty", "one-byte", "120-bytes", "4582-bytes", "random-1mib", "directory", "missing",
         "long-name", "non-ascii-name", "held-open", "sparse-3gib"]


def caption(base_name):
    return ("Vantor : [" + base_name + "]")[:CAPTION_MAX]


class Case:
    def __init__(self, path, caption, exists=True, readable=True):
        self.path = path          # the Linux path; the caller turns it into the program's
        self.caption = caption    # what the window shows after the load
        self.exists = exists      # False: the path names nothing
        self.readable = readable  # False: it exists but no pass can read it
        self.cleanup = []


def make_case(name, work, sample):
    """The file (or lack of one) for case name, in folder work, from the
    sample replay's bytes."""
    def file(base, data):
        path = os.path.join(work, base)
        with open(path, "wb") as out:
            out.write(data)
        return path

    if name == "empty":
        return Case(file("empty.rpl", b""), caption("empty.rpl"))
    if name == "one-byte":
        return Case(file("one.rpl", sample[:1]), caption("one.rpl"))
    if name == "120-bytes":
        return Case(file("head.rpl", sample[:120]), caption("head.rpl"))
    if name == "4582-bytes":
        return Case(file("cut.rpl", sample[:4582]), caption("cut.rpl"))
    if name == "random-1mib":
        noise = random.Random(20240229).randbytes(1 << 20)
        return Case(file("noise.rpl", noise), caption("noise.rpl"))
    if name == "directory":
        path = os.path.join(work, "a folder")
        os.mkdir(path)
        return Case(path, caption("a folder"), readable=False)
    if name == "missing":
        return Case(os.path.join(work, "missing.rpl"), "Vantor", exists=False)
    if name == "long-name":
        # Straight in /tmp, so that the whole Windows path (Z:\tmp\...) stays
        # within the 259 characters the program's ANSI file calls take.
        stem = f"vantor-{os.getpid()}-"
        base = stem + "n" * (LONG_NAME_LENGTH - len(stem) - 4) + ".rpl"
        case = Case(os.path.join("/tmp", base), caption(base))
        with open(case.path, "wb") as out:
            out.write(sample)
        case.cleanup.append(lambda: os.remove(case.path))
        return case
    if name == "non-ascii-name":
        return Case(file(NON_ASCII_NAME, sample), caption(NON_ASCII_NAME))
    if name == "held-open":
        return Case(file("held.rpl", sample), caption("held.rpl"), readable=False)
    if name == "sparse-3gib":
        path = file("huge.rpl", sample)
        with open(path, "r+b") as out:
            out.truncate(3 << 30)
        return Case(path, caption("huge.rpl"))
    raise ValueError(f"unknown case {name}")


class Holder:
    """vantor-hold-file keeps the file open without sharing while the
    context lasts; closing its input lets it go."""

    def __init__(self, hold_exe, windows_path):
        self.command = ["wine", hold_exe, windows_path]

    def __enter__(self):
        self.process = subprocess.Popen(self.command, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        line = self.process.stdout.readline().strip()
        if line != "held":
            self.process.kill()
            raise RuntimeError(f"vantor-hold-file did not hold the file: {line!r}")
        return self

    def __exit__(self, *exc):
        self.process.stdin.close()
        self.process.wait(timeout=60)
