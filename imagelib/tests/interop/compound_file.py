"""A minimal writer of structured storage (compound files, version 3, 512-byte sectors),
for test files made independently of the program: streams below 4096 bytes go to the
mini stream, the rest to whole sectors; the directory's sibling trees are balanced."""
import struct
import uuid

SECTOR, MINI, CUTOFF = 512, 64, 4096
FREE, END, FATSECT, NOSTREAM = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFF


class Storage:
    def __init__(self, clsid=None, children=None):
        self.clsid = clsid  # "XXXXXXXX-XXXX-..." or None
        self.children = children or {}  # name -> bytes or Storage


def _clsid_bytes(clsid):
    return uuid.UUID(clsid).bytes_le if clsid else bytes(16)


def _padded(data, unit):
    return data + bytes(-len(data) % unit)


def write(root):
    """The bytes of a compound file whose root storage is `root`."""
    entries = []

    def add(name, node):
        index = len(entries)
        entry = {"name": name, "node": node, "left": NOSTREAM, "right": NOSTREAM, "child": NOSTREAM}
        entries.append(entry)
        if isinstance(node, Storage):
            kids = [add(n, c) for n, c in node.children.items()]
            kids.sort(key=lambda i: (len(entries[i]["name"]), entries[i]["name"].upper()))
            entry["child"] = balanced(kids)
        return index

    def balanced(kids):
        if not kids:
            return NOSTREAM
        mid = len(kids) // 2
        entries[kids[mid]]["left"] = balanced(kids[:mid])
        entries[kids[mid]]["right"] = balanced(kids[mid + 1:])
        return kids[mid]

    add("Root Entry", root)
    sectors, fat_runs = [], []  # fat_runs: (first sector, count)

    def place(data):
        if not data:
            return END
        first = len(sectors)
        data = _padded(data, SECTOR)
        sectors.extend(data[i:i + SECTOR] for i in range(0, len(data), SECTOR))
        fat_runs.append((first, len(data) // SECTOR))
        return first

    mini, minifat = bytearray(), []
    for e in entries:
        data = e["node"]
        if isinstance(data, Storage):
            e["start"], e["size"] = 0, 0
        elif len(data) >= CUTOFF:
            e["start"], e["size"] = place(data), len(data)
        elif not data:
            e["start"], e["size"] = END, 0
        else:
            first, count = len(mini) // MINI, -(-len(data) // MINI)
            mini += _padded(data, MINI)
            minifat += [first + i + 1 for i in range(count - 1)] + [END]
            e["start"], e["size"] = first, len(data)
    root_entry = entries[0]
    root_entry["start"], root_entry["size"] = place(bytes(mini)), len(mini)
    minifat_start = place(b"".join(struct.pack("<I", v) for v in minifat)) if minifat else END
    minifat_count = -(-len(minifat) * 4 // SECTOR)

    directory = b""
    for e in entries:
        name = e["name"].encode("utf-16-le") + b"\0\0"
        node = e["node"]
        kind = 5 if e is root_entry else 1 if isinstance(node, Storage) else 2
        clsid = _clsid_bytes(node.clsid) if isinstance(node, Storage) else bytes(16)
        directory += (_padded(name, 64) + struct.pack("<HBB3I", len(name), kind, 1, e["left"], e["right"], e["child"])
                      + clsid + bytes(4 + 16) + struct.pack("<IQ", e["start"], e["size"]))
    empty = bytes(64) + struct.pack("<HBB3I", 0, 0, 0, NOSTREAM, NOSTREAM, NOSTREAM) + bytes(16 + 4 + 16 + 12)
    while len(directory) % SECTOR:
        directory += empty
    directory_start = place(directory)

    fat_count = 1
    while (len(sectors) + fat_count) > fat_count * (SECTOR // 4):
        fat_count += 1
    assert fat_count <= 109, "too large for a header-only sector table"
    fat = [FREE] * (fat_count * (SECTOR // 4))
    for first, count in fat_runs:
        for i in range(count):
            fat[first + i] = first + i + 1 if i + 1 < count else END
    fat_start = len(sectors)
    for i in range(fat_count):
        fat[fat_start + i] = FATSECT
    fat_bytes = b"".join(struct.pack("<I", v) for v in fat)
    sectors.extend(fat_bytes[i:i + SECTOR] for i in range(0, len(fat_bytes), SECTOR))

    difat = [fat_start + i for i in range(fat_count)] + [FREE] * (109 - fat_count)
    header = (bytes.fromhex("D0CF11E0A1B11AE1") + bytes(16)
              + struct.pack("<HHHHH6xIIIIIIIII", 0x3E, 3, 0xFFFE, 9, 6, 0, fat_count, directory_start, 0,
                            CUTOFF, minifat_start, minifat_count, END, 0)
              + b"".join(struct.pack("<I", v) for v in difat))
    assert len(header) == SECTOR
    return header + b"".join(sectors)
