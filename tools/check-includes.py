#!/usr/bin/env python3
"""Prints which files of a folder include which, and fails on any circle.

A header and its .cpp count as one unit, so X.cpp including Y.h while Y.cpp includes X.h is a
circle too. Usage: check-includes.py [folder]   (default: framework)
"""
import os
import re
import sys

folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "framework")
include = re.compile(r'\s*#\s*include\s+"([^"]+)"')
graph = {}
for name in sorted(os.listdir(folder)):
    unit, ext = os.path.splitext(name)
    if ext not in (".h", ".cpp"):
        continue
    graph.setdefault(unit, set())
    with open(os.path.join(folder, name), encoding="utf-8") as f:
        for line in f:
            m = include.match(line)
            if m and os.path.exists(os.path.join(folder, m.group(1))):
                target = os.path.splitext(os.path.basename(m.group(1)))[0]
                if target != unit:
                    graph[unit].add(target)

for unit in sorted(graph):
    print(f"{unit:18} -> {' '.join(sorted(graph[unit]))}")

# Depth-first search; a grey unit met again closes a circle.
colour = dict.fromkeys(graph, 0)
circles = []

def visit(unit, path):
    colour[unit] = 1
    for target in sorted(graph.get(unit, ())):
        if colour.get(target, 2) == 1:
            circles.append(path[path.index(target):] + [target])
        elif colour.get(target) == 0:
            visit(target, path + [target])
    colour[unit] = 2

for unit in sorted(graph):
    if colour[unit] == 0:
        visit(unit, [unit])

for circle in circles:
    print("circle: " + " -> ".join(circle))
print(f"{len(graph)} units, {len(circles)} circles")
sys.exit(1 if circles else 0)
