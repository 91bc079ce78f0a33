#!/usr/bin/env python3
"""Fails when a file under src/ includes a header of a folder above its own.

Each folder is one floor and may include only itself and the floors below it;
the two front ends sit side by side on top and do not include each other.
Prints file, line and include for every include that climbs. Usage:
check_layers.py [SRC_DIR]
"""
import os
import re
import sys

FLOORS = ["platform", "base", "namelist", "commands", "apply", "presets", "run", "app"]
FRONT_ENDS = ["ui", "cli"]

# folder -> the folders its files may include
ALLOWED = {floor: set(FLOORS[: i + 1]) for i, floor in enumerate(FLOORS)}
for front in FRONT_ENDS:
    ALLOWED[front] = set(FLOORS) | {front}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def target_folder(src, including_dir, include):
    """The src folder an include names, or None for a header outside src/."""
    candidates = [os.path.join(src, include), os.path.join(including_dir, include)]
    for path in candidates:
        rel = os.path.relpath(os.path.normpath(path), src)
        if not rel.startswith("..") and os.path.exists(path):
            return rel.split(os.sep)[0]
    return None


def check(src):
    problems = []
    for folder in sorted(os.listdir(src)):
        root = os.path.join(src, folder)
        if not os.path.isdir(root):
            continue
        if folder not in ALLOWED:
            problems.append(f"{root}: folder '{folder}' has no floor in the layer table")
            continue
        for dirpath, _, names in os.walk(root):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                shown = os.path.relpath(path, os.path.dirname(src))
                with open(path, encoding="utf-8") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        to = target_folder(src, dirpath, m.group(1))
                        if to is not None and to not in ALLOWED[folder]:
                            problems.append(f"{shown}:{number}: #include \"{m.group(1)}\": "
                                            f"{folder}/ may not include {to}/")
    return problems


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src")
    src = os.path.normpath(src)
    if not os.path.isdir(src):
        print(f"check_layers: no folder {src}")
        return 2
    problems = check(src)
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} include(s) break the layering")
        return 1
    print("layering holds")
    return 0


if __name__ == "__main__":
    sys.exit(main())
