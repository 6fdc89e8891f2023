"""Writes a JPEG for the orientation tests: an upright 32x16 picture of four quarters (red,
green / blue, white) stored turned the way EXIF orientation ORIENTATION undoes, tagged with
that orientation and the camera "Acme Z1". SCALE (default 1) multiplies the size.

usage: make_oriented_jpeg.py ORIENTATION OUT [SCALE]"""
import sys

from PIL import Image

orientation, path = int(sys.argv[1]), sys.argv[2]
k = int(sys.argv[3]) if len(sys.argv) > 3 else 1
upright = Image.new('RGB', (32 * k, 16 * k))
for x, y, colour in ((0, 0, (255, 0, 0)), (16, 0, (0, 255, 0)), (0, 8, (0, 0, 255)), (16, 8, (255, 255, 255))):
    upright.paste(colour, (x * k, y * k, (x + 16) * k, (y + 8) * k))
undo = {2: Image.FLIP_LEFT_RIGHT, 3: Image.ROTATE_180, 4: Image.FLIP_TOP_BOTTOM, 5: Image.TRANSPOSE,
        6: Image.ROTATE_90, 7: Image.TRANSVERSE, 8: Image.ROTATE_270}
stored = upright.transpose(undo[orientation]) if orientation in undo else upright
exif = Image.Exif()
exif[0x0112] = orientation
exif[0x010F] = 'Acme'
exif[0x0110] = 'Z1'
stored.save(path, quality=95, exif=exif)
