"""lumivista-tool orient checked from outside: every EXIF orientation stands upright with
orientation 1 and the other tags kept, as read by exiv2 and Pillow; a quarter turn matches
jpegtran's; partial edge blocks refused or trimmed; damaged and lossy-only photos untouched.

usage: check_orient_tool.py LUMIVISTA_TOOL   (exit 77 when Pillow, exiv2 or jpegtran is missing)"""
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile

try:
    from PIL import Image, ImageCms
except ImportError:
    sys.exit(77)
if not shutil.which('exiv2') or not shutil.which('jpegtran'):
    sys.exit(77)

TOOL = sys.argv[1]
HERE = os.path.dirname(os.path.abspath(__file__))
MAKER = os.path.join(HERE, '..', '..', '..', 'imagelib', 'tests', 'make_oriented_jpeg.py')
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def orient(*args):
    return subprocess.run([TOOL, 'orient', *args], capture_output=True, text=True)


def tag(path, key):
    return subprocess.run(['exiv2', '-q', '-Pv', '-g', key, path], capture_output=True, text=True).stdout.strip()


def near(pixel, colour):
    return all(abs(a - b) < 40 for a, b in zip(pixel, colour))


with tempfile.TemporaryDirectory() as folder:
    # Every orientation upright, tags and colour profile kept.
    srgb = ImageCms.ImageCmsProfile(ImageCms.createProfile('sRGB')).tobytes()
    for orientation in range(1, 9):
        photo = os.path.join(folder, f'foto{orientation}.jpg')
        subprocess.run([sys.executable, MAKER, str(orientation), photo], check=True)
        with Image.open(photo) as stored:
            stored.save(photo, quality=95, exif=stored.getexif(), icc_profile=srgb)
        subprocess.run(['exiv2', '-q', '-M', 'set Exif.Photo.DateTimeOriginal 2023:07:14 09:30:00', photo], check=True)
        result = orient(photo, '--auto')
        check(result.returncode == 0, f'{orientation}: exit {result.returncode} {result.stderr}')
        check(tag(photo, 'Exif.Image.Orientation') == '1', f'{orientation}: orientation {tag(photo, "Exif.Image.Orientation")}')
        check(tag(photo, 'Exif.Image.Model') == 'Z1', f'{orientation}: model lost')
        check(tag(photo, 'Exif.Photo.DateTimeOriginal') == '2023:07:14 09:30:00', f'{orientation}: date lost')
        with Image.open(photo) as turned:
            check(turned.size == (32, 16), f'{orientation}: size {turned.size}')
            check(turned.info.get('icc_profile') == srgb, f'{orientation}: colour profile lost')
            rgb = turned.convert('RGB')
            check(near(rgb.getpixel((4, 4)), (255, 0, 0)) and near(rgb.getpixel((28, 12)), (255, 255, 255)),
                  f'{orientation}: not upright {rgb.getpixel((4, 4))} {rgb.getpixel((28, 12))}')

    # A quarter turn moves the same blocks jpegtran moves.
    source = Image.radial_gradient('L').convert('RGB').resize((64, 48))
    photo, reference = os.path.join(folder, 'giro.jpg'), os.path.join(folder, 'referencia.jpg')
    source.save(photo, quality=90)
    subprocess.run(['jpegtran', '-rotate', '90', '-perfect', '-outfile', reference, photo], check=True)
    result = orient(photo, '--right', '--json')
    check(result.returncode == 0 and json.loads(result.stdout)[0]['lossless'], f'right: {result.stdout} {result.stderr}')
    with Image.open(photo) as ours, Image.open(reference) as theirs:
        check(ours.tobytes() == theirs.tobytes(), 'quarter turn differs from jpegtran')

    # Partial blocks: refused with a reason naming the file, or trimmed.
    ragged = os.path.join(folder, 'borda.jpg')
    source.resize((50, 30)).save(ragged, quality=90)
    before = open(ragged, 'rb').read()
    result = orient(ragged, '--left')
    check(result.returncode != 0 and 'borda.jpg' in result.stderr, f'perfect: {result.returncode} {result.stderr}')
    check(open(ragged, 'rb').read() == before, 'a refused turn changed the file')
    result = orient(ragged, '--left', '--trim')
    with Image.open(ragged) as trimmed:
        check(result.returncode == 0 and trimmed.size[1] == 48, f'trim: {result.stderr} {trimmed.size}')

    # A cut JPEG and a photo that only turns by saving it again stay as they were.
    cut = os.path.join(folder, 'cortada.jpg')
    with open(cut, 'wb') as out:
        out.write(before[:len(before) // 2])
    gif = os.path.join(folder, 'desenho.gif')
    source.convert('P').save(gif)
    gif_before = open(gif, 'rb').read()
    result = orient(cut, gif, '--right', '--lossless-only')
    check(result.returncode == 3 and 'cortada.jpg' in result.stderr and 'desenho.gif' in result.stderr,
          f'damaged/lossy: {result.returncode} {result.stderr}')
    check(open(cut, 'rb').read() == before[:len(before) // 2] and open(gif, 'rb').read() == gif_before,
          'a failed turn changed a file')
    check(orient(photo).returncode == 2, 'no turn named is not a usage error')

for failure in failures:
    print('FAIL', failure)
sys.exit(1 if failures else 0)
