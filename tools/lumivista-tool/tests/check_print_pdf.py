#!/usr/bin/python3
"""Checks the pages lumivista-tool prints to PDF with poppler's tools: page counts and sizes
(pdfinfo), the images on each page and their printed size (pdfimages -list), where they lie
(pdftoppm), captions (pdftotext), and the calibration file's effect on the pixels
(pdfimages -png). Usage: check_print_pdf.py TOOL. Exits 77 (skipped) without poppler or Pillow."""
import json
import os
import shutil
import subprocess
import sys
import tempfile

try:
    from PIL import Image
except ImportError:
    sys.exit(77)
if not all(shutil.which(t) for t in ("pdfinfo", "pdfimages", "pdftotext", "pdftoppm")):
    sys.exit(77)

TOOL = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def run(*args, env=None, expect=0, paper="letter"):
    # The layouts below are laid out on Letter; without --paper a job takes the system's paper.
    if args[:1] == ("print",) and args[1:2] != ("curves",) and "--paper" not in args and paper:
        args = (*args, "--paper", paper)
    result = subprocess.run([TOOL, *args], capture_output=True, text=True, env=env)
    check(result.returncode == expect, f"{' '.join(args)} exited {result.returncode}: {result.stderr.strip()}")
    return result


def pdfinfo(path):
    out = subprocess.run(["pdfinfo", path], capture_output=True, text=True).stdout
    info = {}
    for line in out.splitlines():
        key, _, value = line.partition(":")
        info[key.strip()] = value.strip()
    return info


def images(path):
    """(page, width, height, x-ppi, y-ppi) of every image drawn."""
    out = subprocess.run(["pdfimages", "-list", path], capture_output=True, text=True).stdout.splitlines()[2:]
    rows = []
    for line in out:
        f = line.split()
        rows.append((int(f[0]), int(f[3]), int(f[4]), int(f[12]), int(f[13])))
    return rows


def page_picture(path, page, dpi):
    subprocess.run(["pdftoppm", "-r", str(dpi), "-f", str(page), "-l", str(page), "-gray", "-singlefile", path,
                    path + "-page"], check=True)
    return Image.open(path + "-page.pgm")


def dark(picture, x_inches, y_inches, dpi):
    return picture.getpixel((int(x_inches * dpi), int(y_inches * dpi))) < 128


with tempfile.TemporaryDirectory() as d:
    env = dict(os.environ)
    env["LUMIVISTA_HOME"] = os.path.join(d, "program")
    env["LUMIVISTA_CONFIG_DIR"] = os.path.join(d, "config")
    env["XDG_DATA_HOME"] = os.path.join(d, "data")
    os.makedirs(env["LUMIVISTA_HOME"])
    os.makedirs(env["LUMIVISTA_CONFIG_DIR"])
    shutil.copy(os.path.join(os.path.dirname(TOOL), "lblspec.ini"), env["LUMIVISTA_HOME"])
    p = lambda name: os.path.join(d, name)

    # Pictures: one just below a megapixel, one above it, a dark photo-like JPEG.
    run("new", "1000", "1000", "20", "20", "20", p("square.bmp"))
    run("new", "1100", "1000", "20", "20", "20", p("wide.bmp"))
    Image.new("RGB", (300, 200), (30, 40, 50)).save(p("photo.jpg"), quality=90)
    Image.new("RGB", (1200, 800), (30, 40, 50)).save(p("big.jpg"), quality=90)  # below a megapixel: one piece

    # Single pictures: one piece below 1,048,576 pixels, two bands of 500 rows above.
    run("print", "single", p("square.bmp"), "--pdf", p("square.pdf"), env=env)
    info = pdfinfo(p("square.pdf"))
    check(info.get("Pages") == "1", "single picture: one page")
    check(info.get("Page size", "").startswith("612 x 792"), f"US Letter page, got {info.get('Page size')}")
    check(info.get("Title") == "Lumivista - square.bmp", f"document name, got {info.get('Title')}")
    check([(w, h) for _, w, h, _, _ in images(p("square.pdf"))] == [(1000, 1000)], "1000 x 1000 in one piece")
    run("print", "single", p("wide.bmp"), "--pdf", p("wide.pdf"), "--frame", "--text", "Férias na praia", env=env)
    check([(w, h) for _, w, h, _, _ in images(p("wide.pdf"))] == [(1100, 500), (1100, 500)],
          "1100 x 1000 in two bands of 500 rows")
    check("Férias na praia" in subprocess.run(["pdftotext", p("wide.pdf"), "-"], capture_output=True, text=True).stdout,
          "the page's text")
    run("print", "single", p("wide.bmp"), "--pdf", p("a4.pdf"), "--paper", "a4", env=env)
    check(pdfinfo(p("a4.pdf")).get("Page size", "").startswith("595"), "A4 page")
    # Without --paper: the default printer's paper, else the locale's (glibc's C locale: A4).
    has_printer = shutil.which("lpstat") and subprocess.run(["lpstat", "-d"], capture_output=True,
                                                            text=True).stdout.strip().count(":") > 0
    if not has_printer:
        c_env = {k: v for k, v in env.items() if not k.startswith("LC_")}
        c_env["LC_ALL"] = "C"
        shutil.copy(p("square.bmp"), p("Aniversário da vovó.bmp"))
        run("print", "single", p("Aniversário da vovó.bmp"), "--pdf", p("default.pdf"), env=c_env, paper=None)
        info = pdfinfo(p("default.pdf"))
        check(info.get("Page size", "").startswith("595"), "the locale's A4 without --paper")
        check(info.get("Title") == "Lumivista - Aniversário da vovó.bmp", f"the whole name as title, got {info.get('Title')}")

    # Contact sheet: 35 photos of 1.0 inch, spacing 1 (0.5 inch), captions: 5 x 6 a page.
    photos = []
    for i in range(35):
        name = p(f"IMG_{i:03d}.JPG")
        shutil.copy(p("photo.jpg"), name)
        photos.append(name)
    run("album", "make", p("trip.abm"), *photos)
    run("print", "sheet", p("trip.abm"), "--pdf", p("sheet.pdf"), "--size", "1", "--spacing", "1", "--captions", env=env)
    check(pdfinfo(p("sheet.pdf")).get("Pages") == "2", "35 photos at 30 a page: 2 pages")
    rows = images(p("sheet.pdf"))
    check(len(rows) == 35, f"35 thumbnails, got {len(rows)}")
    check(sum(1 for r in rows if r[0] == 1) == 30 and sum(1 for r in rows if r[0] == 2) == 5, "30 then 5")
    check(all(abs(w / xppi - 1.0) < 0.02 for _, w, _, xppi, _ in rows), "each thumbnail printed 1 inch wide")
    text = subprocess.run(["pdftotext", p("sheet.pdf"), "-"], capture_output=True, text=True).stdout
    check("img_000.jpg" in text and "img_034.jpg" in text, "lower-cased file names under the thumbnails")
    # 5 cells and 4 gaps (7 inches) centred on the 8-inch printable width from 0.25 inch: the first
    # column starts at 0.75 inch; 6 rows of 1.25 and 5 gaps (10 inches) start at 0.4 + 0.1 inch.
    page = page_picture(p("sheet.pdf"), 1, 50)
    check(dark(page, 1.25, 0.5 + 0.5, 50), "first thumbnail where the centring puts it")
    check(not dark(page, 0.6, 1.0, 50), "the margin left of it is blank")
    check(dark(page, 0.75 + 4 * 1.5 + 0.5, 0.5 + 5 * 1.75 + 0.5, 50), "the last cell of the page")
    run("print", "sheet", p("nothing.abm"), "--pdf", p("none.pdf"), env=env, expect=3)

    # Label layout: 30 address labels per sheet, the photo in each.
    product = "Etiqueta de endereço 25,4 × 66,7 mm, 30 por folha"
    run("print", "layout", "--pdf", p("labels.pdf"), "--kind", "0", "--brand", "ET", "--product", product, "--fill",
        p("photo.jpg"), env=env)
    rows = images(p("labels.pdf"))
    check(len(rows) == 30, f"30 labels, got {len(rows)}")
    check(all(abs(h / yppi - 1.0) < 0.02 for _, _, h, _, yppi in rows), "each photo as high as its 1-inch label")
    page = page_picture(p("labels.pdf"), 1, 50)
    # The first label spans 0.19 .. 2.81 inches across, 0.5 .. 1.5 down; the 3:2 photo is 1.5 wide in its middle.
    check(dark(page, 1.5, 1.0, 50) and not dark(page, 0.4, 1.0, 50), "the first label's photo centred in it")
    with open(os.path.join(env["LUMIVISTA_CONFIG_DIR"], "LV2000.ini"), "w") as ini:
        ini.write("[USER]\nLEFTMARGIN=64\n")
    run("print", "layout", "--pdf", p("moved.pdf"), "--kind", "0", "--brand", "ET", "--product", product, "--fill",
        p("photo.jpg"), env=env)
    page = page_picture(p("moved.pdf"), 1, 50)
    check(dark(page, 2.5, 1.0, 50) and not dark(page, 1.2, 1.0, 50), "LEFTMARGIN 64 moves the photos an inch right")
    os.remove(os.path.join(env["LUMIVISTA_CONFIG_DIR"], "LV2000.ini"))

    # Without a label file: one full-page label; the wide photo takes the 8-inch printable width.
    run("print", "layout", "--pdf", p("full.pdf"), "--kind", "0", "--labels", p("missing.ini"), p("big.jpg"), env=env)
    rows = images(p("full.pdf"))
    check(len(rows) == 1 and abs(rows[0][1] / rows[0][3] - 8.0) < 0.02, "one full-page label")

    # Photo-size layouts: one 4 x 6 size turned both ways fills Letter's 8 x 10 inch grid.
    run("print", "layout", "--pdf", p("sizes.pdf"), "--kind", "4", "--lead", "6x4", "--fill", p("big.jpg"), env=env)
    rows = images(p("sizes.pdf"))
    check(len(rows) == 3, f"three 6 x 4 prints, got {len(rows)}")
    check(all(abs(w / xppi - 6.0) < 0.02 or abs(w / xppi - 4.0) < 0.02 for _, w, _, xppi, _ in rows),
          "each photo 6 or 4 inches wide")
    run("print", "layout", "--pdf", p("bad.pdf"), "--kind", "4", "--lead", "7x3", p("photo.jpg"), env=env, expect=2)

    # Calibration: the file written where the program keeps it, and the printed pixels through it.
    run("print", "curves", "set", "red", "40", "0", "100", env=env)
    cal = os.path.join(env["LUMIVISTA_HOME"], "printcal.dat")
    with open(cal, "rb") as f:
        data = f.read()
    check(len(data) == 1298 and data[:4] == b"PCAL", "printcal.dat: 18-byte header and five curves")
    shown = json.loads(run("print", "curves", "show", "--json", env=env).stdout)
    check(shown["read"] == cal and abs(shown["red"][20] - 122) <= 1 and shown["grey"] == list(range(256)),
          f"curves show reads back the file written: {shown['read']}, red 20 gives {shown['red'][20]}")
    run("print", "single", p("square.bmp"), "--pdf", p("cal.pdf"), "--calibrate", env=env)
    subprocess.run(["pdfimages", "-png", p("cal.pdf"), p("cal")], check=True)
    r, g, b = Image.open(p("cal-000.png")).convert("RGB").getpixel((10, 10))
    check(abs(r - (20 + 102)) <= 3 and abs(g - 20) <= 3 and abs(b - 20) <= 3, f"red through its curve, got {(r, g, b)}")
    run("print", "curves", "reset", env=env)
    run("print", "single", p("square.bmp"), "--pdf", p("plain.pdf"), "--calibrate", env=env)
    subprocess.run(["pdfimages", "-png", p("plain.pdf"), p("plain")], check=True)
    r, g, b = Image.open(p("plain-000.png")).convert("RGB").getpixel((10, 10))
    check(abs(r - 20) <= 3, "identity curves print the picture as it is")

    # The printer's profile: sRGB pictures go out converted to it (PIL's colour management says
    # what to expect); a file that is no profile is refused before anything prints.
    swapped = "/usr/share/color/icc/colord/SwappedRedAndGreen.icc"
    if os.path.exists(swapped):
        from PIL import ImageCms
        Image.new("RGB", (40, 30), (200, 60, 20)).save(p("red.png"))
        expected = ImageCms.profileToProfile(Image.open(p("red.png")), ImageCms.createProfile("sRGB"), swapped,
                                             renderingIntent=0).getpixel((5, 5))
        for name, extra, want in (("profiled", ["--printer-profile", swapped], expected), ("unprofiled", [], (200, 60, 20))):
            run("print", "single", p("red.png"), "--pdf", p(name + ".pdf"), *extra, env=env)
            subprocess.run(["pdfimages", "-png", p(name + ".pdf"), p(name)], check=True)
            got = Image.open(p(name + "-000.png")).convert("RGB").getpixel((5, 5))
            # Qt's PDF writer stores colour pictures lossily: near enough, and far from the other.
            check(all(abs(a - b) <= 12 for a, b in zip(got, want)), f"{name}: {got}, expected {want}")
        with open(p("bad.icc"), "wb") as f:
            f.write(b"acsp" * 40)
        run("print", "single", p("red.png"), "--pdf", p("bad-profile.pdf"), "--printer-profile", p("bad.icc"), env=env,
            expect=3)

print(f"{0 if failures else 1} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
