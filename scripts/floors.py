#!/usr/bin/env python3
"""Checks how the source folders depend on each other: src/app/ composes the
program at the top and no folder below it includes it, and no two folders include
each other, directly or round a longer circle. Prints the floors; exits 1 on a
fault, naming the files that cause it."""
import os
import re
import sys

src = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
uses = {}
why = {}
for root, _, names in os.walk(src):
    for name in names:
        if not name.endswith((".h", ".cpp")):
            continue
        path = os.path.join(root, name)
        rel = os.path.relpath(path, src)
        if "/" not in rel:
            continue  # main.cpp sits above everything
        folder = rel.split("/")[0]
        uses.setdefault(folder, set())
        with open(path, encoding="utf-8") as f:
            for other in re.findall(r'#include "([a-z]+)/', f.read()):
                if other != folder:
                    uses[folder].add(other)
                    why.setdefault((folder, other), []).append(rel)

faults = []
for (folder, other), files in sorted(why.items()):
    if other == "app":
        faults.append(f"{folder} includes app: {', '.join(sorted(files))}")


def reaches(start, goal, seen):
    for nxt in uses.get(start, ()):
        if nxt == goal:
            return True
        if nxt not in seen:
            seen.add(nxt)
            if reaches(nxt, goal, seen):
                return True
    return False


for folder in sorted(uses):
    if reaches(folder, folder, set()):
        faults.append(f"{folder} is on an include circle: it uses {', '.join(sorted(uses[folder]))}")

# The floors: each folder above every folder it uses.
floor = {}


def height(folder, path=()):
    if folder in floor:
        return floor[folder]
    if folder in path:
        return 0
    below = [height(o, path + (folder,)) for o in uses.get(folder, ())]
    floor[folder] = 1 + max(below, default=-1)
    return floor[folder]


for folder in uses:
    height(folder)
for level in range(max(floor.values()) + 1):
    print(f"floor {level}: {' '.join(sorted(f for f in floor if floor[f] == level))}")
for fault in faults:
    print("FAULT:", fault)
sys.exit(1 if faults else 0)
