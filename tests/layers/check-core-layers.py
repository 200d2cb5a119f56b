#!/usr/bin/env python3
"""Fails on an include of src/core that runs up the floors README.md lists.

The floors are the numbered list under "The core's floors" in README.md's
layout section, lowest first, each naming its folders. A core file may include
its own folder and the folders of lower floors, never a higher floor nor
another folder of its own floor, and never the gui, the command line or Qt.
An include may name its folder with or without the leading "core/".
"""

import pathlib
import re
import sys

FLOOR_LINE = re.compile(r"^\d+\.\s+((?:`[a-z]+`(?:,\s*)?)+):")
FOLDER_NAME = re.compile(r"`([a-z]+)`")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^(Q[A-Z]\w*|Qt\w*/.*|q[a-z]+\.h)$")
FACES = ("gui", "cli", "desktop")


def read_floors(readme):
    """Folder name -> floor number, from the list under the floors heading."""
    floors = {}
    in_list = False
    for line in readme.read_text(encoding="utf-8").splitlines():
        if line.startswith("### The core's floors"):
            in_list = True
            continue
        if in_list and line.startswith("#"):
            break
        match = FLOOR_LINE.match(line) if in_list else None
        if match:
            number = len(set(floors.values())) + 1
            for folder in FOLDER_NAME.findall(match.group(1)):
                floors[folder] = number
    return floors


def included_folder(target):
    """The first folder an include names, without a leading "core/"."""
    parts = target.split("/")
    if parts[0] == "core" and len(parts) > 2:
        parts = parts[1:]
    return parts[0] if len(parts) > 1 else None


def problems_of(path, folder, floors):
    for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        bracket, target = match.groups()
        where = f"{path}:{number}"
        if bracket == "<":
            if QT_HEADER.match(target):
                yield f"{where}: {folder}/ includes the Qt header <{target}>; the core holds no window code"
            continue
        to = included_folder(target)
        if to is None or to == folder:
            continue
        if to in FACES:
            yield f"{where}: {folder}/ includes {to}/ ({target}); the core includes nothing of its faces"
        elif to not in floors:
            yield f"{where}: {folder}/ includes {to}/ ({target}), a folder README.md's floors do not list"
        elif floors[to] > floors[folder]:
            yield f"{where}: {folder}/ (floor {floors[folder]}) includes {to}/ (floor {floors[to]}) above it"
        elif floors[to] == floors[folder]:
            yield f"{where}: {folder}/ includes {to}/, another folder of its own floor {floors[folder]}"


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: check-core-layers.py README.md src/core")
    readme, core = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    floors = read_floors(readme)
    if not floors:
        sys.exit(f"{readme}: no list of the core's floors found")
    problems = []
    for path in sorted(core.rglob("*")):
        if path.suffix not in (".h", ".cpp") or path.parent == core:
            continue
        folder = path.relative_to(core).parts[0]
        if folder not in floors:
            problems.append(f"{path}: the folder {folder}/ is on none of README.md's floors")
            continue
        problems.extend(problems_of(path, folder, floors))
    for problem in problems:
        print(problem)
    if problems:
        sys.exit(1)
    print(f"{len(floors)} folders on {len(set(floors.values()))} floors; every include points down")


if __name__ == "__main__":
    main()
