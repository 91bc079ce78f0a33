#!/usr/bin/env python3
"""Fails when a file under src/ includes a header of a folder above its own,
or when includes go round in a loop.

Each folder is one floor and may include only itself and the floors below it;
the two front ends sit side by side on top and do not include each other.
Prints file, line and include for every include that climbs.

A header and the .cpp file of the same name are one unit: what the .cpp
includes, the unit needs. A loop of units (a header includes b.h, whose b.cpp
includes a.h again), also inside one floor, is printed with the includes that
close it. Usage: check_layers.py [SRC_DIR]
"""
import os
import re
import sys
from collections import deque

FLOORS = ["platform", "base", "metadata", "namelist", "commands", "apply", "presets", "run", "app"]
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


def files_under(root):
    """Every .h and .cpp file under a folder, in a fixed order."""
    for dirpath, dirnames, names in os.walk(root):
        dirnames.sort()
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                yield os.path.join(dirpath, name)


def floors_of(src):
    """The folders of src, in order."""
    return [f for f in sorted(os.listdir(src)) if os.path.isdir(os.path.join(src, f))]


def includes_of(path):
    """(line number, included text) of every quoted include in a file."""
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if m:
                yield number, m.group(1)


def included_file(src, including_dir, include):
    """The file under src an include names, or None."""
    for path in (os.path.join(src, include), os.path.join(including_dir, include)):
        path = os.path.normpath(path)
        if not os.path.relpath(path, src).startswith("..") and os.path.isfile(path):
            return path
    return None


def unit_of(path):
    return os.path.splitext(path)[0]


def strongly_connected(graph):
    """The groups of nodes that reach each other (Tarjan, without recursion)."""
    index, low, on_stack, stack, groups = {}, {}, set(), [], []
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph[start])))]
        index[start] = low[start] = len(index)
        stack.append(start)
        on_stack.add(start)
        while work:
            node, edges = work[-1]
            for nxt in edges:
                if nxt not in index:
                    index[nxt] = low[nxt] = len(index)
                    stack.append(nxt)
                    on_stack.add(nxt)
                    work.append((nxt, iter(sorted(graph.get(nxt, ())))))
                    break
                if nxt in on_stack:
                    low[node] = min(low[node], index[nxt])
            else:
                work.pop()
                if work:
                    low[work[-1][0]] = min(low[work[-1][0]], low[node])
                if low[node] == index[node]:
                    group = []
                    while True:
                        member = stack.pop()
                        on_stack.discard(member)
                        group.append(member)
                        if member == node:
                            break
                    if len(group) > 1:
                        groups.append(sorted(group))
    return groups


def one_loop(graph, group):
    """A shortest path from the group's first unit back to itself, inside the group."""
    members = set(group)
    first = group[0]
    came_from = {}
    queue = deque([first])
    while queue:
        node = queue.popleft()
        for nxt in sorted(graph.get(node, ())):
            if nxt not in members:
                continue
            if nxt == first:
                path = [node]
                while path[-1] != first:
                    path.append(came_from[path[-1]])
                return list(reversed(path)) + [first]
            if nxt not in came_from:
                came_from[nxt] = node
                queue.append(nxt)
    return [first, first]


def check_loops(src):
    shown = lambda path: os.path.relpath(path, os.path.dirname(src))
    graph, witness = {}, {}
    paths = [p for folder in floors_of(src) for p in files_under(os.path.join(src, folder))]
    for path in paths:
        here = unit_of(path)
        graph.setdefault(here, set())
        for number, include in includes_of(path):
            target = included_file(src, os.path.dirname(path), include)
            if target is None or unit_of(target) == here:
                continue
            there = unit_of(target)
            graph[here].add(there)
            witness.setdefault((here, there), f"{shown(path)}:{number}: #include \"{include}\"")
    problems = []
    for group in strongly_connected(graph):
        loop = one_loop(graph, group)
        steps = [witness[(a, b)] for a, b in zip(loop, loop[1:])]
        files = ", ".join(shown(u) for u in group)
        problems.append(f"include loop between {files}:\n    " + "\n    ".join(steps))
    return problems


def check_floors(src):
    problems = []
    for folder in floors_of(src):
        root = os.path.join(src, folder)
        if folder not in ALLOWED:
            problems.append(f"{root}: folder '{folder}' has no floor in the layer table")
            continue
        for path in files_under(root):
            shown = os.path.relpath(path, os.path.dirname(src))
            for number, include in includes_of(path):
                to = target_folder(src, os.path.dirname(path), include)
                if to is not None and to not in ALLOWED[folder]:
                    problems.append(f"{shown}:{number}: #include \"{include}\": {folder}/ may not include {to}/")
    return problems


def check(src):
    return check_floors(src) + check_loops(src)


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
        print(f"{len(problems)} include(s) or loop(s) break the layering")
        return 1
    print("layering holds")
    return 0


if __name__ == "__main__":
    sys.exit(main())
