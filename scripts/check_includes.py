#!/usr/bin/env python3
"""Fails when an include line reaches up: from a floor to a higher one, or between app's
rooms against their order. The floors and rooms, lowest first, are the data below; a file
may include from its own floor or any lower one. Tests, fuzz targets and benchmarks may
include whatever they test, fuzz or measure.

Usage: check_includes.py [ROOT]   (exit 1 and one line per upward include when any)
"""
import os
import re
import sys

# Top folders by floor. Folders on one floor may include each other.
FLOORS = [
    ["common"],
    ["imagelib"],
    ["effects", "edit"],
    ["album", "projects"],
    ["acquire", "output", "sharing"],
    ["app"],
    ["tools"],
]

# app's rooms by floor, each floor a list of rooms; "app" is app/main.cpp on top. Each
# room's own floor is exclusive: rooms on one floor may not include each other, so the
# arrows between rooms run one way.
APP_ROOMS = [
    ["app/core", "app/skin"],
    ["app/widgets"],
    ["app/shell"],
    ["app/editing"],
    ["app/album"],
    ["app/output"],
    ["app/projects", "app/acquire", "app/sharing", "app/recovery"],
    ["app/testing"],
    ["app/start"],
    ["app"],
]

# Folders whose files may include anything (they test, fuzz or measure what they include).
# app/testing is not one: it is the room of the program's test driver, built into test builds.
FREE = re.compile(r"(^|/)(tests|testing|fuzz|bench)(/|$)")
DRIVER_ROOM = "app/testing"
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def free(folder):
    in_driver_room = folder == DRIVER_ROOM or folder.startswith(DRIVER_ROOM + "/")
    return bool(FREE.search(folder)) and not in_driver_room


def floor_of(path):
    top = path.split("/")[0]
    for level, folders in enumerate(FLOORS):
        if top in folders:
            return level
    return None


def room_of(path):
    parts = path.split("/")
    if parts[0] != "app":
        return None
    name = "app/" + parts[1] if len(parts) > 2 else "app"
    for level, rooms in enumerate(APP_ROOMS):
        if name in rooms:
            return name, level
    return name, None


def upward(source, target):
    """Why `source` may not include `target`, or None when it may."""
    a, b = floor_of(source), floor_of(target)
    if a is None:
        return f"folder {source.split('/')[0]} is on no floor"
    if b is None:
        return None  # system or generated headers
    if b > a:
        return f"floor {FLOORS[b][0]} is above floor {FLOORS[a][0]}"
    if a == b == floor_of("app/x"):
        (ra, la), (rb, lb) = room_of(source), room_of(target)
        if la is None or lb is None:
            return f"room {ra if la is None else rb} is not in the list of rooms"
        if ra != rb and lb >= la:
            return f"room {rb} is not below room {ra}"
    return None


def check(root):
    problems = []
    for folder, dirs, files in os.walk(root):
        rel_folder = os.path.relpath(folder, root)
        dirs[:] = [d for d in dirs if not d.startswith(".") and not (rel_folder == "." and d == "build")]
        if rel_folder != "." and free(rel_folder):
            continue
        for name in files:
            if not name.endswith((".cpp", ".h")):
                continue
            source = os.path.normpath(os.path.join(rel_folder, name))
            with open(os.path.join(folder, name), encoding="utf-8", errors="replace") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    if match and "/" in match.group(1):
                        why = upward(source, match.group(1))
                        if why:
                            problems.append(f"{source}:{number}: includes {match.group(1)}: {why}")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    problems = check(root)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
