#!/usr/bin/env python3
"""Kills quaystall-cli with SIGKILL at random moments of a save, an import or
an export of a big shop, and checks after every kill that

  - each of the shop's files is byte-identical to its version before or after
    the operation (the export's upload folder may be half-built);
  - the next start loads the shop and saves it (quaystall-cli resave), and
    that save leaves no temporary file of an interrupted save behind.

    kill-test.py CLI OPERATION [--kills N] [--products N] [--rows N] [--seed S]

OPERATION is save (quaystall-cli resave of a catalogue the save rewrites),
import (a generated stock table of --rows rows) or export. Prints the figures
and exits with status 1 when any check failed.
"""
import argparse
import hashlib
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SHOP = "Demo"
DATA = f"Apache/cgi-bin/qstldb/{SHOP}-cgi/data"
SETTINGS = f"Apache/cgi-bin/qstldb/{SHOP}-cgi/qstl2.cfg"
IMAGES = f"Apache/htdocs/images/{SHOP}-images"
UPLOAD = "upload" + os.sep
TEMPORARY_MARK = ".qs-save-"


def run(cli, program, *arguments, check=True):
    done = subprocess.run([cli, "--program-dir", program, *arguments],
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if check and done.returncode != 0:
        sys.exit(f"quaystall-cli {' '.join(arguments)} failed: {done.stderr.decode(errors='replace')}")
    return done


def digest(path):
    sha = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            sha.update(block)
    return sha.digest()


def shop_files(program):
    """Every file of the program folder but the upload folder, by relative path."""
    found = {}
    for folder, _, names in os.walk(program):
        for name in names:
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, program)
            if not relative.startswith(UPLOAD):
                found[relative] = path
    return found


def snapshot(program):
    return {relative: digest(path) for relative, path in shop_files(program).items()}


def add_named_pictures(program):
    """A small file for every picture the catalogue names, as an export that
    completes needs them."""
    names = set()
    for log, field in (("shop.data", 19), ("header_data.log", 4)):
        with open(os.path.join(program, DATA, log), "rb") as f:
            for line in f.read().split(b"\r\n"):
                fields = line.split(b"::")
                if len(fields) > field and fields[field]:
                    names.add(fields[field])
    for name in names:
        with open(os.path.join(program, IMAGES, os.fsdecode(name)), "wb") as f:
            f.write(b"GIF89a")


def prepare(cli, before, work, args):
    """The program folder before the operation, and the command that runs it."""
    shutil.copytree(os.path.join(ROOT, "share", "program"), before)
    run(cli, before, "new-shop", SHOP)
    scale = ["--top", "5", "--sub", "4", "--leaf", "5"] if args.products < 20000 else []
    subprocess.run([sys.executable, os.path.join(ROOT, "bench", "catalogue", "make-big-shop.py"),
                    os.path.join(before, DATA), "--products", str(args.products),
                    "--seed", str(args.seed), *scale], check=True)
    if args.operation == "save":
        # The generated catalogue is written differently by a save, so that
        # "before" and "after" differ in every file the save writes.
        return ["resave", SHOP]
    # Otherwise the shop starts as a save leaves it.
    run(cli, before, "resave", SHOP)
    if args.operation == "import":
        table = os.path.join(work, "stock.csv")
        subprocess.run([sys.executable, os.path.join(ROOT, "bench", "import", "make-stock-table.py"),
                        table, "--rows", str(args.rows)], check=True)
        return ["import", SHOP, table, "--skip-rows", "1"]
    # The export needs the shop's e-mail addresses.
    settings = os.path.join(before, SETTINGS)
    with open(settings, "rb") as f:
        lines = f.read().split(b"\r\n")
    lines = [line for line in lines if line.split(b"=")[0] not in (b"sales_email", b"tech_email", b"")]
    lines += [b"sales_email=sales@demo.test", b"tech_email=tech@demo.test", b""]
    with open(settings, "wb") as f:
        f.write(b"\r\n".join(lines))
    add_named_pictures(before)
    return ["export", SHOP]


class Figures:
    def __init__(self):
        self.kills = self.finished = self.torn = self.unexpected = 0
        self.left_after_kill = self.left_after_next_save = self.failed_starts = 0

    def failures(self):
        return self.torn + self.unexpected + self.left_after_next_save + self.failed_starts


def check_files(program, before, after, figures, kill):
    present = shop_files(program)
    for relative, path in present.items():
        if TEMPORARY_MARK in os.path.basename(relative):
            figures.left_after_kill += 1
            continue
        if relative not in before and relative not in after:
            figures.unexpected += 1
            print(f"kill {kill}: unexpected file {relative}")
            continue
        if digest(path) not in (before.get(relative), after.get(relative)):
            figures.torn += 1
            print(f"kill {kill}: {relative} is neither its old nor its new version")
    for relative in set(before) & set(after):
        if relative not in present:
            figures.torn += 1
            print(f"kill {kill}: {relative} is missing")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("cli")
    parser.add_argument("operation", choices=["save", "import", "export"])
    parser.add_argument("--kills", type=int, default=1000, help="runs killed before they finished")
    parser.add_argument("--products", type=int, default=100000)
    parser.add_argument("--rows", type=int, default=10000)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    rng = random.Random(args.seed)

    with tempfile.TemporaryDirectory(prefix="kill-test-") as work:
        # The shop's settings hold the absolute paths of its folders, so every
        # run is in the same folder, restored each time from a copy.
        program = os.path.join(work, "program")
        command = prepare(cli, program, work, args)
        before = snapshot(program)
        before_folder = os.path.join(work, "before")
        shutil.copytree(program, before_folder)
        start = time.monotonic()
        run(cli, program, *command)
        duration = time.monotonic() - start
        after = snapshot(program)
        changed = sum(1 for k in set(before) | set(after) if before.get(k) != after.get(k))
        latest_moment = duration

        figures = Figures()
        kill = 0
        # Runs that end before their kill count for nothing; so many that
        # the kills never come mean the moments are not random enough.
        while figures.kills < args.kills and figures.finished <= 10 * args.kills:
            kill += 1
            shutil.rmtree(program)
            shutil.copytree(before_folder, program)
            started = time.monotonic()
            child = subprocess.Popen([cli, "--program-dir", program, *command],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                child.wait(timeout=rng.uniform(0, latest_moment))
                figures.finished += 1
                # The first run may have been slowed by a busy machine: the
                # moments are drawn from the quickest whole run seen.
                latest_moment = min(latest_moment, time.monotonic() - started)
            except subprocess.TimeoutExpired:
                child.send_signal(signal.SIGKILL)
                child.wait()
                figures.kills += 1
            check_files(program, before, after, figures, kill)

            if run(cli, program, "resave", SHOP, check=False).returncode != 0:
                figures.failed_starts += 1
                print(f"kill {kill}: the next start did not load and save the shop")
            left = [k for k in shop_files(program) if TEMPORARY_MARK in os.path.basename(k)]
            figures.left_after_next_save += len(left)
            for relative in left:
                print(f"kill {kill}: {relative} is still there after the next save")

    print(f"{args.operation}: {args.products} products, {changed} files changed by a whole run "
          f"of {duration:.3f} s; {figures.kills} killed, {figures.finished} finished before the kill; "
          f"torn {figures.torn}, unexpected files {figures.unexpected}, "
          f"temporaries left by kills {figures.left_after_kill} "
          f"and after the next save {figures.left_after_next_save}, "
          f"failed next starts {figures.failed_starts}")
    return 1 if figures.failures() or figures.kills < args.kills else 0


if __name__ == "__main__":
    sys.exit(main())
