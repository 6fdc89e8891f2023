#!/usr/bin/env python3
"""Reads a kept message with Python's own e-mail parser and prints what a mail program
would show: one "key: value" line per header field, the text, and each attachment's name,
type, size and SHA-256."""

import email
import email.policy
import hashlib
import sys

with open(sys.argv[1], "rb") as f:
    message = email.message_from_binary_file(f, policy=email.policy.default)
print("from: %s" % message["From"])
print("to: %s" % ", ".join(str(a) for a in message["To"].addresses))
print("subject: %s" % message["Subject"])
print("defects: %d" % (len(message.defects) + sum(len(p.defects) for p in message.walk())))
for part in message.walk():
    if part.is_multipart():
        continue
    if part.get_content_disposition() == "attachment":
        data = part.get_payload(decode=True)
        print("attachment: %s|%s|%d|%s" % (part.get_filename(), part.get_content_type(), len(data),
                                           hashlib.sha256(data).hexdigest()))
    elif part.get_content_type() == "text/plain":
        print("body: %r" % part.get_content())
