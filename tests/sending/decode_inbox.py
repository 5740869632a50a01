"""Reads back every message an aiosmtpd test server kept, with Python's own e-mail parser.

usage: /usr/bin/python3 decode_inbox.py FOLDER

For each FOLDER/messageN.eml, in the order of N, prints one line of tab-separated values:
N, the "To" header, the "Message-ID" header, the attachment's file name, and the number of
parser defects; the attachment's decoded bytes are written to FOLDER/messageN.card.
"""
import email
import email.policy
import os
import re
import sys


def main():
    folder = sys.argv[1]
    numbers = sorted(int(m.group(1)) for name in os.listdir(folder)
                     for m in [re.fullmatch(r"message(\d+)\.eml", name)] if m)
    for n in numbers:
        base = os.path.join(folder, "message%d" % n)
        with open(base + ".eml", "rb") as f:
            message = email.message_from_bytes(f.read(), policy=email.policy.compat32)
        defects = len(message.defects)
        name = "-"
        for part in message.walk():
            defects += len(part.defects)
            if part.get_filename():
                name = part.get_filename()
                with open(base + ".card", "wb") as out:
                    out.write(part.get_payload(decode=True) or b"")
        print("\t".join([str(n), message["To"] or "-", message["Message-ID"] or "-", name,
                         str(defects)]))


if __name__ == "__main__":
    main()
