#!/usr/bin/env python3
"""Where a skin control lies in the 1024 x 768 main window, read from the button tables.

  skin_place.py SKIN_DIR PANEL KEY [N]

KEY is an icon name ("crop"), a caption's first line ("Aplicar"), "#ID" (a control id),
"Handler" or "Handler=ARG"; N picks the Nth match (from 1). Prints "X Y", the centre in the
main window's coordinates, the panel placed in its host as the screen table places it.
"""
import re
import sys
from pathlib import Path

ROW = re.compile(r'\{H::(\w+), (\w+), (-?\d+), -?\d+, K::(\w+), \d+, \d+, \{"([^"]*)", "([^"]*)", S::\w+\}, '
                 r'Rect::fromSize\((\d+), (\d+), (\d+), (\d+)\)(?:, Rect::fromSize\((\d+), (\d+), (\d+), (\d+)\))?')
START = re.compile(r'^constexpr (?:auto|ButtonDefinition) (k\w+)(?:\[\])? = (?:Rows\(((?:k\w+, )*))?')
TAIL = re.compile(r'^\}\)((?:, k\w+)+)\);')
# The host control in panel 0 of panels nested elsewhere than in 101 (app/skin/screen_table.cpp).
HOSTS = {10: 180, 27: 180, 13: 157, 14: 157, 15: 157, 16: 157, 26: 181}


def tables(skin_dir):
    arrays, name = {}, None
    for source in sorted(Path(skin_dir).glob('button_table_*.cpp')):
        for line in source.read_text().splitlines():
            start = START.match(line)
            if start:
                name = start.group(1)
                parts = re.findall(r'k\w+', start.group(2) or '') + re.findall(r'\b(k\w+)\)', line)
                arrays[name] = [row for part in parts for row in arrays.get(part, [])]
            tail = TAIL.match(line)
            if tail and name:
                arrays[name] += [row for part in re.findall(r'k\w+', tail.group(1)) for row in arrays.get(part, [])]
            m = ROW.search(line)
            if m and name:
                handler, arg, control, kind, icon, caption = m.group(1, 2, 3, 4, 5, 6)
                rect = [int(v) for v in (m.group(11, 12, 13, 14) if m.group(11) else m.group(7, 8, 9, 10))]
                arrays[name].append(dict(handler=handler, arg=str(int(arg, 0)), control=control, kind=kind,
                                         icon=icon, caption=caption.split('\\n')[0], rect=rect))
    return {int(k[6:-4]): v for k, v in arrays.items() if re.fullmatch(r'kPanel\d+Rows', k)}


def matches(row, key):
    if key.startswith('#'):
        return row['control'] == key[1:]
    if '=' in key:
        return f"{row['handler']}={row['arg']}" == key
    return key in (row['icon'], row['caption'], row['handler'])


def find(panels, panel, key, nth=1):
    hits = [r for r in panels[panel] if matches(r, key)]
    if len(hits) < nth:
        sys.exit(f'skin_place: no "{key}" on panel {panel}')
    return hits[nth - 1]['rect']


def origin(panels, panel):
    if panel in (0, 28):
        return 0, 0
    x, y, _, _ = find(panels, 0, '#' + str(HOSTS.get(panel, 101)))
    return x, y


if __name__ == '__main__':
    panels = tables(sys.argv[1])
    panel = int(sys.argv[2])
    x, y, w, h = find(panels, panel, sys.argv[3], int(sys.argv[4]) if len(sys.argv) > 4 else 1)
    ox, oy = origin(panels, panel)
    print(ox + x + w // 2, oy + y + h // 2)
