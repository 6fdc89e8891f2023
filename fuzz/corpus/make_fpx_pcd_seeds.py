#!/usr/bin/python3
"""Makes the FlashPix and Photo CD seeds from the test fixtures.
Usage: make_fpx_pcd_seeds.py LUMIVISTA_TOOL  (run from this folder).
The fpx/old_layout_*.fpx seeds were made the same way by the writer of the layout the
program used before the published one; they are kept as they are, not remade."""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, "..", "..", "imagelib", "tests", "fixtures")
SECTOR = 2048


def main():
    tool = sys.argv[1]
    for name, args in {"colour.fpx": ["bmp/pil_24.bmp"], "grey.fpx": ["bmp/pil_grey8.bmp"],
                       "palette.fpx": ["bmp/nb_4.bmp"]}.items():
        subprocess.run([tool, "convert", "--quality", "50", os.path.join(FIXTURES, *args[0].split("/")),
                        os.path.join(HERE, "fpx", name)], check=True)
    # Raw, single-colour and JPEG tiles from the tests' own writer of the published layout.
    interop = os.path.join(HERE, "..", "..", "imagelib", "tests", "interop")
    subprocess.run(["/usr/bin/python3", os.path.join(interop, "fpx_standard.py"), "write", "mixed",
                    os.path.join(HERE, "fpx", "published_mixed.fpx"), os.devnull], check=True)
    with open(os.path.join(FIXTURES, "pcd", "fourbase.pcd"), "rb") as f:
        pack = f.read()
    seeds = {
        # 4Base residuals: the table sector and the first coded rows.
        "fourbase_rows": bytes([3]) + pack[388 * SECTOR:390 * SECTOR + 4096],
        # Grey 16Base over the same rows: the 16Base section is missing.
        "sixteenbase_grey": bytes([4 | 8 | 0x20 | 0x40]) + pack[388 * SECTOR:389 * SECTOR + 1024],
        # A whole pack cut inside the Base/16 planes, read at Base/16.
        "whole_cut": bytes([0x80]) + pack[:6 * SECTOR],
    }
    for name, data in seeds.items():
        with open(os.path.join(HERE, "pcd", name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
