#!/usr/bin/env python3
"""Reference server of the photo store protocol (docs/store-protocol.md).

Serves the photos of a folder to the accounts of a file (or of standard input), over HTTP
or, with --cert and --key, over HTTPS. Standard library only. Passwords never go on the
command line, where every user of the computer sees them. Try the download locally with

    echo ana:segredo | scripts/photo_store_server.py --photos ~/Imagens --accounts - --port 8765

and set StoreServer=http://127.0.0.1:8765 in section "SHARING" of LV2000.ini.

The first line on standard output is "PORT <n>" once the server listens (useful with
--port 0). Test switches: --locked NAME refuses that account with 403; --cut-after N ends
the connection after N bytes of every photo's first transfer (a resumed one gets the rest);
--ignore-range answers every photo request with the whole file; --log FILE records each photo
request as "NAME START" (START the first byte asked for) and each upload's PUT as
"PUT NAME START". Uploads land in the account's folder under the first free name; orders are
answered with a number and, with --orders FILE, written there one per line.
--cut-upload-after N ends the connection after N bytes of every upload's first PUT, with no
answer (the client asks for the offset and sends the rest). A connection silent for
--idle-timeout seconds (30) is closed. Web albums published to the service are kept in
--galleries DIR (FOLDER/.galleries) and served to anyone at /galleries/<id>/<path> once
finished; --forget-tokens-after N forgets every token once, after N requests that carried one.
"""

import argparse
import json
import os
import re
import secrets
import socket
import ssl
import sys
import threading
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

CHUNK = 256 * 1024
MAX_FORM = 4096
MAX_ORDER = 64 * 1024
MAX_PHOTO = 1 << 30
MAX_GALLERY_FILES = 10000
MAX_GALLERY_BYTES = 1 << 30
GALLERY_PART = re.compile(r"^[A-Za-z0-9_-][A-Za-z0-9._-]{0,99}$")
TYPES = {".html": "text/html; charset=utf-8", ".css": "text/css; charset=utf-8", ".jpg": "image/jpeg",
         ".jpeg": "image/jpeg", ".png": "image/png", ".webp": "image/webp", ".js": "text/javascript"}
# Paper sizes the service prints, in millimetres.
PAPERS = {"10x15": (100, 150), "13x18": (130, 180), "15x21": (150, 210), "20x25": (200, 250),
          "20x30": (200, 300), "30x45": (300, 450)}
RANGE = re.compile(r"^bytes (\d{1,19})-(\d{1,19})/(\d{1,19})$")


def safe_name(name):
    """A name that can only make a file directly in the account's folder."""
    if not name or name.startswith(".") or len(name.encode("utf-8", "surrogatepass")) > 255:
        return False
    return not any(c in "/\\" or ord(c) < 32 or ord(c) == 127 for c in name)


def safe_gallery_path(path):
    """"dir/name" parts of letters, digits, ".", "_" and "-", none empty or starting with ".":
    never absolute, never "..", at most four deep."""
    if not path or len(path.encode("utf-8", "surrogatepass")) > 255:
        return False
    parts = path.split("/")
    return len(parts) <= 4 and all(GALLERY_PART.match(p) and p.isascii() for p in parts)


def free_name(folder, name):
    """NAME, else NAME (2).EXT, NAME (3).EXT... as the download names its photos."""
    stem, ext = os.path.splitext(name)
    candidate, n = name, 1
    while os.path.lexists(os.path.join(folder, candidate)):
        n += 1
        candidate = "%s (%d)%s" % (stem, n, ext)
    return candidate


def read_accounts(source):
    """NAME:PASSWORD lines of a file, or of standard input for "-"."""
    if source == "-":
        lines = sys.stdin.read().splitlines()
    else:
        with open(source, encoding="utf-8") as f:
            lines = f.read().splitlines()
    return dict(line.split(":", 1) for line in lines if ":" in line)


def content_length(headers):
    """The body's length: None when the header is there but not a plain decimal number."""
    text = headers.get("Content-Length")
    if text is None:
        return 0
    text = text.strip()
    if not text.isdigit() or not text.isascii():
        return None
    return int(text)


class Store:
    def __init__(self, args):
        self.folder = os.path.abspath(args.photos)
        self.accounts = read_accounts(args.accounts)
        self.locked = set(args.locked)
        self.cut_after = args.cut_after
        self.ignore_range = args.ignore_range
        self.tokens = {}
        self.cut_done = set()
        self.lock = threading.Lock()
        self.requests = 0
        self.log = args.log
        self.cut_upload_after = args.cut_upload_after
        self.uploads = {}
        self.orders = 0
        self.orders_file = args.orders
        self.galleries_folder = os.path.abspath(args.galleries or os.path.join(args.photos, ".galleries"))
        os.makedirs(self.galleries_folder, exist_ok=True)
        self.galleries = {}
        self.forget_after = args.forget_tokens_after
        self.authorised = 0
        self.scheme = "https" if args.cert else "http"
        self.host = args.host

    def folder_of(self, user):
        folder = os.path.join(self.folder, user)
        return folder if os.path.isdir(folder) else self.folder

    def record(self, line):
        if self.log:
            with self.lock, open(self.log, "a", encoding="utf-8") as log:
                log.write(line + "\n")

    def photos_of(self, user):
        folder = self.folder_of(user)
        entries = []
        for name in sorted(os.listdir(folder)):
            path = os.path.join(folder, name)
            if name.startswith(".") or not os.path.isfile(path):
                continue
            st = os.stat(path)
            entries.append((name, path, st.st_size, int(st.st_mtime)))
        return entries


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "PhotoStoreReference/1"

    def log_message(self, fmt, *args):
        if self.server.verbose:
            sys.stderr.write("%s\n" % (fmt % args))

    @property
    def store(self):
        return self.server.store

    def send_text(self, status, text, content_type="text/plain; charset=utf-8"):
        body = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def user(self):
        header = self.headers.get("Authorization", "")
        if not header.startswith("Bearer "):
            return None
        with self.store.lock:
            self.store.authorised += 1
            if self.store.forget_after is not None and self.store.authorised > self.store.forget_after:
                self.store.forget_after = None
                self.store.tokens.clear()
            return self.store.tokens.get(header[len("Bearer "):])

    def do_GET(self):
        with self.store.lock:
            self.store.requests += 1
        path = urllib.parse.urlsplit(self.path).path
        if path in ("/", "/index.html"):
            return self.send_text(200, "<!doctype html><title>Loja de fotos</title>"
                                  "<h1>Loja de fotos (servidor de referência)</h1>", "text/html; charset=utf-8")
        if path.startswith("/galleries/"):
            return self.serve_gallery(path[len("/galleries/"):])
        if path.startswith("/api/1/uploads/"):
            session = self.upload_session(path)
            if session is None:
                return self.send_text(404 if self.caller else 401, "no such upload\n")
            return self.send_text(200, "offset=%d\n" % session["offset"])
        if not path.startswith("/api/1/photos"):
            return self.send_text(404, "not found\n")
        user = self.user()
        if user is None:
            return self.send_text(401, "log in first\n")
        photos = self.store.photos_of(user)
        if path == "/api/1/photos":
            lines = "".join("%d\t%d\t%s\n" % (size, mtime, name) for name, _, size, mtime in photos)
            return self.send_text(200, lines)
        name = urllib.parse.unquote(path[len("/api/1/photos/"):])
        found = [p for p in photos if p[0] == name]
        if not found:
            return self.send_text(404, "no such photo\n")
        self.send_photo(*found[0])

    def send_photo(self, name, path, size, mtime):
        start = 0
        ranged = self.headers.get("Range", "")
        if ranged.startswith("bytes=") and ranged.endswith("-"):
            try:
                start = int(ranged[len("bytes="):-1])
            except ValueError:
                start = 0
        if self.store.log:
            with self.store.lock, open(self.store.log, "a", encoding="utf-8") as log:
                log.write("%s %d\n" % (name, start))
        if self.store.ignore_range:
            start = 0
        if start and start >= size:
            self.send_response(416)
            self.send_header("Content-Range", "bytes */%d" % size)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        self.send_response(206 if start else 200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(size - start))
        if start:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, size - 1, size))
        self.end_headers()
        limit = size - start
        with self.store.lock:
            cut = self.store.cut_after if name not in self.store.cut_done and start == 0 else None
            if cut is not None:
                self.store.cut_done.add(name)
        with open(path, "rb") as f:
            f.seek(start)
            if cut is not None:
                self.wfile.write(f.read(min(cut, limit)))
                self.wfile.flush()
                self.close_connection = True
                self.connection.shutdown(socket.SHUT_RDWR)
                return
            if not self.server.tls:
                self.wfile.flush()
                self.connection.sendfile(f, start, limit)
                return
            while limit > 0:
                chunk = f.read(min(CHUNK, limit))
                if not chunk:
                    break
                self.wfile.write(chunk)
                limit -= len(chunk)

    def serve_gallery(self, rest):
        """A file of a finished gallery, to anyone: the gallery is public."""
        gallery_id, _, relative = urllib.parse.unquote(rest).partition("/")
        with self.store.lock:
            gallery = self.store.galleries.get(gallery_id)
        if gallery is None or not gallery["published"] or not safe_gallery_path(relative):
            return self.send_text(404, "not found\n")
        path = os.path.join(gallery["folder"], *relative.split("/"))
        if not os.path.isfile(path) or os.path.islink(path):
            return self.send_text(404, "not found\n")
        with open(path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", TYPES.get(os.path.splitext(path)[1].lower(), "application/octet-stream"))
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def gallery_request(self, user, path, body):
        """POST api/1/galleries (a new gallery), .../<id>/files (a file's upload session) and
        .../<id>/publish (finished: its public address)."""
        form = urllib.parse.parse_qs(body.decode("utf-8", "replace"), keep_blank_values=True)
        if any(len(v) != 1 for v in form.values()):
            return self.send_text(400, "repeated field\n")
        field = {k: v[0] for k, v in form.items()}
        if path == "/api/1/galleries":
            title, files, size = field.get("title", ""), field.get("files", ""), field.get("bytes", "")
            if not title or len(title.encode("utf-8")) > 200 or any(ord(c) < 32 for c in title) or \
                    not files.isdigit() or not files.isascii() or not size.isdigit() or not size.isascii():
                return self.send_text(400, "bad title or counts\n")
            if not 1 <= int(files) <= MAX_GALLERY_FILES or int(size) > MAX_GALLERY_BYTES:
                return self.send_text(413, "gallery too large\n")
            gallery_id = secrets.token_hex(8)
            folder = os.path.join(self.store.galleries_folder, gallery_id)
            os.makedirs(folder)
            with self.store.lock:
                self.store.galleries[gallery_id] = {
                    "user": user, "title": title, "files": int(files), "bytes": int(size), "folder": folder,
                    "paths": set(), "declared": 0, "published": False}
            return self.send_text(201, "gallery=%s\n" % gallery_id)
        parts = path[len("/api/1/galleries/"):].split("/")
        with self.store.lock:
            gallery = self.store.galleries.get(parts[0]) if len(parts) == 2 else None
        if gallery is None or gallery["user"] != user:
            return self.send_text(404, "no such gallery\n")
        if gallery["published"]:
            return self.send_text(409, "already published\n")
        if parts[1] == "publish":
            with self.store.lock:
                pending = [s for s in self.store.uploads.values() if s.get("gallery") is gallery and "done" not in s]
            if "index.html" not in gallery["paths"] or pending:
                return self.send_text(409, "incomplete\n")
            gallery["published"] = True
            address = "%s://%s:%d/galleries/%s/index.html" % (
                self.store.scheme, self.store.host, self.server.server_address[1], parts[0])
            return self.send_text(201, "gallery=%s\naddress=%s\n" % (parts[0], address))
        if parts[1] != "files":
            return self.send_text(404, "not found\n")
        relative, size = field.get("path", ""), field.get("size", "")
        if not safe_gallery_path(relative) or not size.isdigit() or not size.isascii():
            return self.send_text(400, "bad path or size\n")
        with self.store.lock:
            for key, old in list(self.store.uploads.items()):
                # A file sent again (after a new login) replaces its unfinished session.
                if old.get("gallery") is gallery and old["name"] == relative and "done" not in old:
                    del self.store.uploads[key]
                    if os.path.exists(old["part"]):
                        os.remove(old["part"])
                    gallery["paths"].discard(relative)
                    gallery["declared"] -= old["size"]
            taken = relative in gallery["paths"] or any(
                p == relative or p.startswith(relative + "/") or relative.startswith(p + "/") for p in gallery["paths"])
            if taken or len(gallery["paths"]) >= gallery["files"] or gallery["declared"] + int(size) > gallery["bytes"]:
                return self.send_text(400 if taken else 413, "path taken or over the gallery's limits\n")
            gallery["paths"].add(relative)
            gallery["declared"] += int(size)
            session = secrets.token_hex(12)
            entry = {"user": user, "name": relative, "size": int(size), "offset": 0, "gallery": gallery,
                     "part": os.path.join(self.store.galleries_folder, ".upload-%s.part" % session), "first": True}
            self.store.uploads[session] = entry
        open(entry["part"], "wb").close()
        if entry["size"] == 0:
            return self.send_text(201, "session=%s\noffset=0\npath=%s\n" % (session, self.complete_upload(entry)))
        self.send_text(201, "session=%s\noffset=0\n" % session)

    def read_body(self, limit):
        """The request's body, or None after answering a bad or too long one."""
        length = content_length(self.headers)
        if length is None or length > limit:
            # What follows cannot be told from the next request: the connection ends.
            self.close_connection = True
            self.send_text(400 if length is None else 413, "bad length\n" if length is None else "too large\n")
            return None
        return self.rfile.read(length)

    def do_POST(self):
        with self.store.lock:
            self.store.requests += 1
        path = urllib.parse.urlsplit(self.path).path
        if path == "/api/1/login":
            return self.login()
        if path not in ("/api/1/uploads", "/api/1/orders") and not (
                path == "/api/1/galleries" or path.startswith("/api/1/galleries/")):
            return self.send_text(404, "not found\n")
        user = self.user()
        body = self.read_body(MAX_ORDER if path == "/api/1/orders" else MAX_FORM)
        if body is None:
            return
        if user is None:
            return self.send_text(401, "log in first\n")
        if path == "/api/1/orders":
            return self.order(user, body)
        if path.startswith("/api/1/galleries"):
            return self.gallery_request(user, path, body)
        form = urllib.parse.parse_qs(body.decode("utf-8", "replace"))
        name = form.get("name", [""])[0]
        size = form.get("size", [""])[0]
        if not safe_name(name) or not size.isdigit() or not size.isascii() or int(size) > MAX_PHOTO:
            return self.send_text(400, "bad name or size\n")
        session = secrets.token_hex(12)
        folder = self.store.folder_of(user)
        entry = {"user": user, "name": name, "size": int(size), "offset": 0,
                 "part": os.path.join(folder, ".upload-%s.part" % session), "first": True}
        open(entry["part"], "wb").close()
        with self.store.lock:
            self.store.uploads[session] = entry
        if entry["size"] == 0:
            return self.send_text(201, "session=%s\noffset=0\nname=%s\n" % (session, self.complete_upload(entry)))
        self.send_text(201, "session=%s\noffset=0\n" % session)

    def upload_session(self, path):
        """The caller's upload named in the path, or None (self.caller says whether the token
        was known)."""
        user = self.caller = self.user()
        with self.store.lock:
            session = self.store.uploads.get(path[len("/api/1/uploads/"):])
        return session if session is not None and user == session["user"] else None

    def complete_upload(self, entry):
        """Moves a complete upload to its free name (a gallery's file to its path); the name."""
        if "gallery" in entry:
            target = os.path.join(entry["gallery"]["folder"], *entry["name"].split("/"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            os.rename(entry["part"], target)
            entry["done"] = entry["name"]
            return entry["name"]
        folder = os.path.dirname(entry["part"])
        with self.store.lock:
            name = free_name(folder, entry["name"])
            os.rename(entry["part"], os.path.join(folder, name))
        entry["done"] = name
        return name

    def do_PUT(self):
        path = urllib.parse.urlsplit(self.path).path
        self.caller = "-"
        session = self.upload_session(path) if path.startswith("/api/1/uploads/") else None
        length = content_length(self.headers)
        if session is None or length is None or length > MAX_PHOTO:
            self.close_connection = True
            status = 400 if session is not None else 404 if getattr(self, "caller", None) else 401
            return self.send_text(status, "no such upload\n")
        found = RANGE.match(self.headers.get("Content-Range", ""))
        size = session["size"]
        if not found or int(found.group(3)) != size or int(found.group(2)) >= size or \
                int(found.group(2)) - int(found.group(1)) + 1 != length or "done" in session:
            self.close_connection = True
            return self.send_text(400, "bad range\n")
        start = int(found.group(1))
        self.store.record("PUT %s %d" % (session["name"], start))
        if start != session["offset"]:
            self.close_connection = True
            return self.send_text(409, "offset=%d\n" % session["offset"])
        cut = self.store.cut_upload_after if session.pop("first", False) else None
        left = length
        with open(session["part"], "r+b") as part:
            part.seek(start)
            while left > 0:
                want = min(CHUNK, left) if cut is None else min(CHUNK, left, cut)
                chunk = self.rfile.read(want)
                if not chunk:
                    return
                part.write(chunk)
                part.flush()
                left -= len(chunk)
                session["offset"] += len(chunk)
                if cut is not None:
                    cut -= len(chunk)
                    if cut <= 0:
                        self.close_connection = True
                        self.connection.shutdown(socket.SHUT_RDWR)
                        return
        if session["offset"] == size:
            key = "path" if "gallery" in session else "name"
            return self.send_text(201, "offset=%d\n%s=%s\n" % (size, key, self.complete_upload(session)))
        self.send_text(200, "offset=%d\n" % session["offset"])

    def order(self, user, body):
        """Lines "PAPER<TAB>COPIES<TAB>LEFT,TOP,WIDTH,HEIGHT<TAB>PHOTO"; 201 with the order's number."""
        photos = {name for name, _, _, _ in self.store.photos_of(user)}
        lines = body.decode("utf-8", "replace").splitlines()
        items = []
        for line in lines:
            fields = line.split("\t")
            if len(fields) != 4 or fields[0] not in PAPERS or not fields[1].isdigit() or fields[3] not in photos:
                return self.send_text(400, "bad order line\n")
            crop = fields[2].split(",")
            if len(crop) != 4 or not all(c.isdigit() for c in crop) or not 1 <= int(fields[1]) <= 99:
                return self.send_text(400, "bad order line\n")
            width, height = int(crop[2]), int(crop[3])
            short, long = PAPERS[fields[0]]
            ratio = max(width, height) / max(1, min(width, height))
            if width == 0 or height == 0 or abs(ratio - long / short) > 0.02 * long / short:
                return self.send_text(400, "crop does not match the paper\n")
            items.append({"paper": fields[0], "copies": int(fields[1]), "crop": [int(c) for c in crop],
                          "photo": fields[3]})
        if not items or len(items) > 100:
            return self.send_text(400, "empty order\n")
        with self.store.lock:
            self.store.orders += 1
            number = "LV-%06d" % self.store.orders
            if self.store.orders_file:
                with open(self.store.orders_file, "a", encoding="utf-8") as f:
                    f.write(json.dumps({"order": number, "user": user, "items": items}, ensure_ascii=False) + "\n")
        self.send_text(201, "order=%s\n" % number)

    def login(self):
        body = self.read_body(MAX_FORM)
        if body is None:
            return
        form = urllib.parse.parse_qs(body.decode("utf-8", "replace"))
        user = form.get("user", [""])[0]
        password = form.get("password", [""])[0]
        if self.store.accounts.get(user) != password:
            return self.send_text(401, "wrong user or password\n")
        if user in self.store.locked:
            return self.send_text(403, "account locked\n")
        token = secrets.token_hex(16)
        with self.store.lock:
            self.store.tokens[token] = user
        self.send_text(200, "token=%s\n" % token)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--photos", required=True)
    parser.add_argument("--accounts", required=True, help="file of NAME:PASSWORD lines, - for standard input")
    parser.add_argument("--locked", action="append", default=[])
    parser.add_argument("--port", type=int, default=8765)
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--cut-after", type=int)
    parser.add_argument("--ignore-range", action="store_true")
    parser.add_argument("--log")
    parser.add_argument("--cut-upload-after", type=int)
    parser.add_argument("--orders")
    parser.add_argument("--galleries")
    parser.add_argument("--forget-tokens-after", type=int)
    parser.add_argument("--verbose", action="store_true")
    parser.add_argument("--idle-timeout", type=float, default=30.0)
    args = parser.parse_args()
    # Each connection's socket gives up on a client that stops sending.
    Handler.timeout = args.idle_timeout

    server = ThreadingHTTPServer((args.host, args.port), Handler)
    server.daemon_threads = True
    server.store = Store(args)
    server.verbose = args.verbose
    server.tls = bool(args.cert)
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        # The handshake happens in the connection's own thread, under its timeout, so a
        # client that connects and says nothing holds up no one else.
        server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
    print("PORT %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
