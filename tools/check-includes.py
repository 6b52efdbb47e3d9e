#!/usr/bin/env python3
"""Prints which files of a folder include which, and fails on any circle among its headers.

A source file includes the headers it uses; only headers are included in turn, so a circle can
only run through headers. Usage: check-includes.py [folder]   (default: framework)
"""
import os
import re
import sys

folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "framework")
include = re.compile(r'\s*#\s*include\s+"([^"]+)"')
headers = {}
sources = {}
for name in sorted(os.listdir(folder)):
    ext = os.path.splitext(name)[1]
    if ext not in (".h", ".cpp"):
        continue
    targets = set()
    with open(os.path.join(folder, name), encoding="utf-8") as f:
        for line in f:
            m = include.match(line)
            if m and os.path.exists(os.path.join(folder, m.group(1))) and m.group(1) != name:
                targets.add(os.path.basename(m.group(1)))
    (headers if ext == ".h" else sources)[name] = targets

for table in (headers, sources):
    for name in sorted(table):
        print(f"{name:22} -> {' '.join(sorted(table[name]))}")

# Depth-first search over the headers; a grey header met again closes a circle.
colour = dict.fromkeys(headers, 0)
circles = []

def visit(name, path):
    colour[name] = 1
    for target in sorted(headers[name]):
        if colour.get(target) == 1:
            circles.append(path[path.index(target):] + [target])
        elif colour.get(target) == 0:
            visit(target, path + [target])
    colour[name] = 2

for name in sorted(headers):
    if colour[name] == 0:
        visit(name, [name])

for circle in circles:
    print("circle: " + " -> ".join(circle))
print(f"{len(headers)} headers, {len(sources)} sources, {len(circles)} circles")
sys.exit(1 if circles else 0)
