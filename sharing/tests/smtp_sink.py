#!/usr/bin/env python3
"""A small SMTP server for the mail tests: takes messages and keeps each as a file.

Plain, STARTTLS (--cert/--key with --starttls) or TLS from the start (--cert/--key with
--tls). With --account NAME:PASSWORD it asks for AUTH PLAIN or LOGIN before MAIL. Recipients
at "recusado.example" are refused with 550. Each message goes to OUT/<n>.eml with the
envelope in OUT/<n>.env ("from", then one recipient per line). With --silent-after data it
answers nothing once DATA is sent; with --silent-after body nothing after the message's end,
keeping the connection open, as a server that hung would. Prints "PORT <n>" first.
"""

import argparse
import base64
import os
import socketserver
import ssl
import sys
import threading
import time

MAX_LINE = 8192
MAX_MESSAGE = 200 * 1024 * 1024


class Session(socketserver.StreamRequestHandler):
    def setup(self):
        if self.server.tls:
            self.request = self.server.context.wrap_socket(self.request, server_side=True)
        super().setup()

    def reply(self, text):
        self.wfile.write((text + "\r\n").encode("ascii"))
        self.wfile.flush()

    def line(self):
        raw = self.rfile.readline(MAX_LINE)
        if not raw:
            raise ConnectionError
        return raw.decode("utf-8", "replace").rstrip("\r\n")

    def handle(self):
        try:
            self.converse()
        except (ConnectionError, ssl.SSLError, OSError):
            pass

    def converse(self):
        cfg = self.server
        authed = cfg.account is None
        secure = cfg.tls
        sender = None
        recipients = []
        self.reply("220 sink ESMTP")
        while True:
            command = self.line()
            verb = command.split(" ", 1)[0].upper()
            if verb in ("EHLO", "HELO"):
                lines = ["250-sink"]
                if cfg.starttls and not secure:
                    lines.append("250-STARTTLS")
                if cfg.account is not None:
                    lines.append("250-AUTH PLAIN LOGIN")
                lines.append("250 SIZE %d" % MAX_MESSAGE)
                for l in lines:
                    self.reply(l)
            elif verb == "STARTTLS" and cfg.starttls and not secure:
                self.reply("220 go ahead")
                self.request = cfg.context.wrap_socket(self.request, server_side=True)
                self.rfile = self.request.makefile("rb")
                self.wfile = self.request.makefile("wb")
                secure = True
            elif verb == "AUTH":
                authed = self.authenticate(command)
                self.reply("235 ok" if authed else "535 authentication failed")
            elif verb == "MAIL":
                if not authed:
                    self.reply("530 authentication required")
                    continue
                sender = command[command.find("<") + 1:command.rfind(">")]
                recipients = []
                self.reply("250 ok")
            elif verb == "RCPT":
                to = command[command.find("<") + 1:command.rfind(">")]
                if to.endswith("@recusado.example"):
                    self.reply("550 no such user")
                else:
                    recipients.append(to)
                    self.reply("250 ok")
            elif verb == "DATA":
                if sender is None or not recipients:
                    self.reply("503 bad sequence")
                    continue
                if cfg.silent_after == "data":
                    self.hang()
                self.reply("354 end with .")
                message = self.data()
                if cfg.silent_after == "body":
                    self.hang()
                self.keep(sender, recipients, message)
                self.reply("250 kept")
                sender = None
            elif verb == "RSET":
                sender, recipients = None, []
                self.reply("250 ok")
            elif verb == "NOOP":
                self.reply("250 ok")
            elif verb == "QUIT":
                self.reply("221 bye")
                return
            else:
                self.reply("502 unknown")

    def hang(self):
        # Holds the connection without a word until the client gives up and closes it.
        self.request.settimeout(600)
        while self.request.recv(4096):
            pass
        raise ConnectionError

    def authenticate(self, command):
        words = command.split()
        mechanism = words[1].upper() if len(words) > 1 else ""
        if mechanism == "PLAIN":
            if len(words) > 2:
                blob = words[2]
            else:
                self.reply("334 ")
                blob = self.line()
            parts = base64.b64decode(blob).decode("utf-8").split("\0")
            user, password = parts[1], parts[2]
        elif mechanism == "LOGIN":
            if len(words) > 2:
                user = base64.b64decode(words[2]).decode("utf-8")
            else:
                self.reply("334 VXNlcm5hbWU6")
                user = base64.b64decode(self.line()).decode("utf-8")
            self.reply("334 UGFzc3dvcmQ6")
            password = base64.b64decode(self.line()).decode("utf-8")
        else:
            return False
        return "%s:%s" % (user, password) == self.server.account

    def data(self):
        chunks = []
        size = 0
        while True:
            raw = self.rfile.readline(MAX_LINE)
            if not raw:
                raise ConnectionError
            if raw in (b".\r\n", b".\n"):
                break
            if raw.startswith(b"."):
                raw = raw[1:]
            size += len(raw)
            if size > MAX_MESSAGE:
                raise ConnectionError
            chunks.append(raw)
        return b"".join(chunks)

    def keep(self, sender, recipients, message):
        with self.server.lock:
            self.server.count += 1
            n = self.server.count
        base = os.path.join(self.server.out, str(n))
        with open(base + ".eml", "wb") as f:
            f.write(message)
        with open(base + ".env", "w", encoding="utf-8") as f:
            f.write("\n".join([sender] + recipients) + "\n")


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--account")
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--starttls", action="store_true")
    parser.add_argument("--tls", action="store_true")
    parser.add_argument("--silent-after", choices=("data", "body"))
    args = parser.parse_args()
    server = Server(("127.0.0.1", args.port), Session)
    server.out = args.out
    server.account = args.account
    server.starttls = args.starttls
    server.tls = args.tls
    server.silent_after = args.silent_after
    server.lock = threading.Lock()
    server.count = 0
    if args.cert:
        server.context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        server.context.load_cert_chain(args.cert, args.key)
    print("PORT %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
