#!/usr/bin/env python3
"""A photo service whose answers to uploads and orders try to harm the client. Any user and
password log in. --answer picks the harm: "huge" (a reply that claims a terabyte and never
ends), "bad-session" (a session name with "/" in it), "beyond" (an offset past the photo's
size), "garbage" (bytes that are no "key=value" line); for a web album's gallery, whose one
file "index.html" it takes, "bad-address" (a finished gallery at a non-local plain HTTP
address), "wrong-id" (another gallery finished than the one asked for), "other-path" (the file
kept under another path). Prints "PORT <n>" once it listens.
"""

import argparse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    timeout = 30

    def log_message(self, fmt, *args):
        pass

    def reply(self, status, body):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def endless(self):
        self.send_response(201)
        self.send_header("Content-Length", str(10 ** 12))
        self.end_headers()
        try:
            while True:
                self.wfile.write(b"offset=1" * 8192)
        except OSError:
            pass
        self.close_connection = True

    def answer(self, normal):
        mode = self.server.answer
        if mode == "huge":
            return self.endless()
        if mode == "bad-session":
            return self.reply(201, b"session=../../etc\n")
        if mode == "garbage":
            return self.reply(201, b"\x00\xffsession\n=\n")
        self.reply(201, normal)

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        if self.path.endswith("/login"):
            return self.reply(200, b"token=t\n")
        if self.path.endswith("/orders"):
            return self.answer(b"order=A-1\n")
        if self.path.endswith("/galleries"):
            return self.answer(b"gallery=g1\n")
        if self.path.endswith("/publish"):
            port = self.server.server_address[1]
            if self.server.answer == "bad-address":
                return self.reply(201, b"gallery=g1\naddress=http://example.com/galleries/g1/index.html\n")
            if self.server.answer == "wrong-id":
                return self.reply(201, b"gallery=g2\naddress=http://127.0.0.1:%d/galleries/g2/index.html\n" % port)
            return self.reply(201, b"gallery=g1\naddress=http://127.0.0.1:%d/galleries/g1/index.html\n" % port)
        self.answer(b"session=s1\noffset=0\n")

    def do_PUT(self):
        length = int(self.headers.get("Content-Length", "0"))
        self.rfile.read(length)
        if self.server.answer in ("bad-address", "wrong-id", "other-path"):
            path = b"imagens/outra.jpg" if self.server.answer == "other-path" else b"index.html"
            return self.reply(201, b"offset=%d\npath=%s\n" % (length, path))
        self.reply(200, b"offset=99999999999\n" if self.server.answer == "beyond" else b"offset=x\n")

    def do_GET(self):
        self.reply(200, b"offset=0\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--answer", required=True)
    parser.add_argument("--port", type=int, default=0)
    args = parser.parse_args()
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.answer = args.answer
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
