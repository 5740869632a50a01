"""Prints what Python's own e-mail parser finds in a message, for Kartello's mail tests.

usage: /usr/bin/python3 decode_attachment.py MESSAGE.eml OUTPUT_FOLDER

Writes each attachment's decoded payload to OUTPUT_FOLDER under its file name and prints one
line per MIME part: content type, file name (or "-"), decoded size, then any parser defects.
"""
import email
import email.policy
import os
import sys


def main():
    with open(sys.argv[1], "rb") as f:
        # from bytes, not from a binary file: the file reader would turn CR LF into LF
        message = email.message_from_bytes(f.read(), policy=email.policy.compat32)
    for defect in message.defects:
        print("defect", type(defect).__name__)
    for part in message.walk():
        if part.is_multipart():
            print(part.get_content_type(), "-", "-")
            continue
        payload = part.get_payload(decode=True) or b""
        name = part.get_filename()
        if name:
            with open(os.path.join(sys.argv[2], name), "wb") as out:
                out.write(payload)
        print(part.get_content_type(), name or "-", len(payload))
        for defect in part.defects:
            print("defect", type(defect).__name__)


if __name__ == "__main__":
    main()
