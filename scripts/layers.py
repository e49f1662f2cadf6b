#!/usr/bin/env python3
"""Keeps the game's source in its layers: every include points down, or sideways within
one folder.

    scripts/layers.py [SRC]      (SRC defaults to the src/ folder beside this script's folder)

Bottom to top: platform (SDL, the screen, pictures, files, keys, sound), world (entities,
pools, passes, motion), the kinds of entity (player, enemies: never each other), display
(what is drawn over the playfield) and game (options, the frame loop, the title screen,
main). Within each folder the modules (NAME.h and NAME.cpp, or NAME_desktop.cpp and
NAME_web.cpp) never include each other in a circle. Prints one line per include that points
up or across and one per circle, naming the files, and exits 1 when there is any; 0 and
nothing printed when all is in order.
"""
import os
import re
import sys

LAYERS = [["platform"], ["world"], ["player", "enemies"], ["display"], ["game"]]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/[^"]*"')
MODULE_INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/([^"/.]+)\.h"')


def module_of(name):
    return re.sub(r"_(desktop|web)$", "", os.path.splitext(name)[0])


def circles(src, folder):
    """The circles of includes between the modules of one folder, each named once."""
    uses = {}
    path = os.path.join(src, folder)
    for name in sorted(os.listdir(path)):
        if not name.endswith((".h", ".cpp")):
            continue
        module = module_of(name)
        with open(os.path.join(path, name), encoding="utf-8") as source:
            for line in source:
                match = MODULE_INCLUDE.match(line)
                if match and match.group(1) == folder and match.group(2) != module:
                    uses.setdefault(module, set()).add(match.group(2))
    found = set()

    def walk(module, trail):
        for used in sorted(uses.get(module, ())):
            if used in trail:
                circle = trail[trail.index(used):]
                turn = circle.index(min(circle))
                found.add(tuple(circle[turn:] + circle[:turn]))
            else:
                walk(used, trail + [used])

    for module in sorted(uses):
        walk(module, [module])
    for circle in sorted(found):
        yield f"{os.path.join(path, '')}: {' -> '.join(circle + (circle[0],))} include each other in a circle"


def problems(src):
    for folder, _, names in sorted(os.walk(src)):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(folder, name)
            home = os.path.relpath(folder, src).split(os.sep)[0]
            if home not in RANK:
                yield f"{path}: lies in no layer (folders: {', '.join(RANK)})"
                continue
            with open(path, encoding="utf-8") as source:
                for number, line in enumerate(source, start=1):
                    match = INCLUDE.match(line)
                    if not match or match.group(1) == home:
                        continue
                    target = match.group(1)
                    if target not in RANK:
                        yield f"{path}:{number}: includes \"{target}/...\", which lies in no layer"
                    elif RANK[target] >= RANK[home]:
                        way = "across to" if RANK[target] == RANK[home] else "up to"
                        yield f"{path}:{number}: includes {line.strip()[len('#include '):]}, {way} {target} from {home}"
    for folder in RANK:
        if os.path.isdir(os.path.join(src, folder)):
            yield from circles(src, folder)


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    found = list(problems(os.path.normpath(src)))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
