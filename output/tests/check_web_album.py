#!/usr/bin/env python3
"""The published web album read with a real HTML parser: every link and image resolves, the
images have the size asked, the pages chain previous/next, and captions are escaped."""
import html.parser, os, struct, subprocess, sys, tempfile

TOOL = sys.argv[1]
CAPTIONS = ['<b>&"x\'</b>', "A & B", ""]


def tool(*args, ok=True):
    run = subprocess.run([TOOL, *args], capture_output=True, text=True)
    if ok and run.returncode != 0:
        sys.exit(f"{args}: {run.returncode} {run.stderr}")
    return run


def jpeg_size(path):
    data = open(path, "rb").read()
    assert data[:2] == b"\xff\xd8", path
    at = 2
    while at < len(data):
        marker, length = data[at + 1], struct.unpack(">H", data[at + 2:at + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            height, width = struct.unpack(">HH", data[at + 5:at + 9])
            return width, height
        at += 2 + length
    raise AssertionError(f"no frame header in {path}")


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.images, self.rel, self.text, self.alts = [], [], {}, [], []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag in ("a", "link") and "href" in a:
            self.links.append(a["href"])
            if a.get("rel") in ("prev", "next"):
                self.rel[a["rel"]] = a["href"]
        if tag == "img":
            self.images.append((a["src"], int(a["width"]), int(a["height"])))
            self.alts.append(a.get("alt"))

    def handle_data(self, data):
        self.text.append(data)


def parse(path):
    page = Page()
    page.feed(open(path, encoding="utf-8").read())
    page.close()
    return page


def main():
    failures = []
    check = lambda ok, what: ok or failures.append(what)
    with tempfile.TemporaryDirectory() as d:
        photos = []
        for name, w, h in (("wide", 1600, 1200), ("tall", 900, 1400), ("small", 300, 200)):
            photos.append(os.path.join(d, name + ".bmp"))
            tool("new", str(w), str(h), "200", "60", "30", photos[-1])
        album = os.path.join(d, "férias.abm")
        tool("album", "make", album, *photos)
        data = bytearray(open(album, "rb").read())
        for i, caption in enumerate(CAPTIONS):
            at = 144 + 288 * i + 136
            raw = caption.encode("cp1252")
            data[at:at + 16] = raw + bytes(16 - len(raw))
        open(album, "wb").write(data)

        out = os.path.join(d, "site")
        title = 'Férias <2026> & "praia"'
        tool("webalbum", album, out, "--size", "800", "--title", title)

        index = parse(os.path.join(out, "index.html"))
        pages = [l for l in index.links if l.startswith("foto-")]
        check(pages == ["foto-001.html", "foto-002.html", "foto-003.html"], f"index links {index.links}")
        check(title in "".join(index.text), "title unescaped on the index")
        raw_index = open(os.path.join(out, "index.html"), encoding="utf-8").read()
        check("&lt;b&gt;&amp;&quot;x&#39;&lt;/b&gt;" in raw_index, "caption escaped in the markup")
        check("<b>" not in raw_index, "raw caption markup in the index")
        check(index.alts == CAPTIONS, f"thumbnail alts {index.alts}")
        for path in [os.path.join(out, p) for p in ["index.html"] + pages]:
            page = parse(path)
            for link in page.links:
                check(os.path.isfile(os.path.join(out, link)), f"{path}: {link} does not resolve")
            for src, w, h in page.images:
                f = os.path.join(out, src)
                check(os.path.isfile(f), f"{path}: {src} missing")
                if os.path.isfile(f):
                    check(jpeg_size(f) == (w, h), f"{src}: {jpeg_size(f)} but the page says {w}x{h}")
        expected = {"foto-001.html": (800, 600), "foto-002.html": (514, 800), "foto-003.html": (300, 200)}
        for n, name in enumerate(pages):
            page = parse(os.path.join(out, name))
            check(page.images and page.images[0][1:] == expected[name], f"{name}: image {page.images}")
            check(page.rel.get("prev") == (pages[n - 1] if n else None), f"{name}: prev {page.rel}")
            check(page.rel.get("next") == (pages[n + 1] if n + 1 < len(pages) else None), f"{name}: next {page.rel}")
            check(CAPTIONS[n] in "".join(page.text) and page.alts[0] == CAPTIONS[n], f"{name}: caption")
        check(os.path.isfile(os.path.join(out, "estilo.css")), "style sheet")

        check(tool("webalbum", os.path.join(d, "none.abm"), out, ok=False).returncode == 3, "missing album")
        check(tool("webalbum", album, out, "--size", "10", ok=False).returncode == 2, "size out of range")
        blocked = os.path.join(d, "blocked")
        open(blocked, "w").close()
        run = tool("webalbum", album, os.path.join(blocked, "site"), ok=False)
        check(run.returncode == 4 and "blocked" in run.stderr, f"unwritable folder: {run.returncode} {run.stderr}")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
