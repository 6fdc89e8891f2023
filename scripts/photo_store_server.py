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
request as "NAME START" (START the first byte asked for). A connection silent for
--idle-timeout seconds (30) is closed.
"""

import argparse
import os
import secrets
import socket
import ssl
import sys
import threading
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

CHUNK = 256 * 1024
MAX_FORM = 4096


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

    def photos_of(self, user):
        folder = os.path.join(self.folder, user)
        if not os.path.isdir(folder):
            folder = self.folder
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
            return self.store.tokens.get(header[len("Bearer "):])

    def do_GET(self):
        with self.store.lock:
            self.store.requests += 1
        path = urllib.parse.urlsplit(self.path).path
        if path in ("/", "/index.html"):
            return self.send_text(200, "<!doctype html><title>Loja de fotos</title>"
                                  "<h1>Loja de fotos (servidor de referência)</h1>", "text/html; charset=utf-8")
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

    def do_POST(self):
        with self.store.lock:
            self.store.requests += 1
        if urllib.parse.urlsplit(self.path).path != "/api/1/login":
            return self.send_text(404, "not found\n")
        length = content_length(self.headers)
        if length is None or length > MAX_FORM:
            # What follows cannot be told from the next request: the connection ends.
            self.close_connection = True
            return self.send_text(400 if length is None else 413, "bad length\n" if length is None else "too large\n")
        form = urllib.parse.parse_qs(self.rfile.read(length).decode("utf-8", "replace"))
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
