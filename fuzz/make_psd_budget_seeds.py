#!/usr/bin/python3
"""Writes the Photoshop reader's hostile seed: a flattened 20000 x 20000 RGB document whose
merged image is deflated zeros, about 1.2 MB that once took 3.9 GB. Run from this folder."""
import os
import struct
import zlib

def deflated_zeros(size):
    packer = zlib.compressobj(9)
    chunk = bytes(16 << 20)
    out = []
    while size:
        now = min(size, len(chunk))
        out.append(packer.compress(chunk[:now]))
        size -= now
    out.append(packer.flush())
    return b"".join(out)

def flat_zip(width, height, compression=2):
    header = b"8BPS" + struct.pack(">H6sHIIHH", 1, bytes(6), 3, height, width, 8, 3)
    sections = struct.pack(">III", 0, 0, 0)  # colour mode data, image resources, layers
    return header + sections + struct.pack(">H", compression) + deflated_zeros(width * height * 3)

def main():
    out = "corpus/psd"
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "zip_zeros_20000.psd"), "wb") as f:
        f.write(flat_zip(20000, 20000))

if __name__ == "__main__":
    main()
