#!/usr/bin/env python3
"""A photo service that tries to harm the client, for the download's tests. Any user and
password log in. It lists --many N small photos ("foto-00001.jpg"...) and each --photo
NAME:SIZE[:endless]; an endless photo's body never ends (no length, sent until the client
hangs up). Photo bytes: byte i of NAME is (i + len(NAME)) * 31 mod 256. Every photo's time is
1600000000. Prints "PORT <n>" once it listens.
"""

import argparse
import sys
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
import urllib.parse

TIME = 1600000000
CHUNK = 64 * 1024


def content(name, start, count):
    base = len(name.encode("utf-8"))
    return bytes(((i + base) * 31) & 0xFF for i in range(start, start + count))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    timeout = 30
    # Headers and body leave in two writes: without this each small reply waits for the
    # client's delayed acknowledgement.
    disable_nagle_algorithm = True

    def log_message(self, fmt, *args):
        pass

    def reply(self, status, body):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        self.rfile.read(length)
        self.reply(200, b"token=hostile\n")

    def do_GET(self):
        path = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path)
        photos = self.server.photos
        if path == "/api/1/photos":
            listing = "".join("%d\t%d\t%s\n" % (size, TIME, name) for name, (size, _) in photos.items())
            return self.reply(200, listing.encode("utf-8"))
        name = path[len("/api/1/photos/"):]
        if name not in photos:
            return self.reply(404, b"")
        size, endless = photos[name]
        if not endless:
            return self.reply(200, content(name, 0, size))
        self.send_response(200)
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        block = content(name, 0, CHUNK * 4)
        try:
            while True:
                self.wfile.write(block)
        except OSError:
            pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--many", type=int, default=0)
    parser.add_argument("--photo", action="append", default=[])
    args = parser.parse_args()
    photos = {}
    for i in range(1, args.many + 1):
        photos["foto-%05d.jpg" % i] = (16, False)
    for spec in args.photo:
        parts = spec.split(":")
        photos[parts[0]] = (int(parts[1]), len(parts) > 2 and parts[2] == "endless")
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.photos = photos
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
