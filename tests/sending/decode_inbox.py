"""Reads back every message an aiosmtpd test server kept, with Python's own e-mail parser.

usage: /usr/bin/python3 decode_inbox.py FOLDER [--text]

For each FOLDER/messageN.eml, in the order of N, prints one line of tab-separated values:
N, the "To" header, the "Message-ID" header, the last attachment's file name, and the number
of parser defects; the attachments' decoded bytes are written to FOLDER/messageN.card (the
first), messageN.card2, messageN.card3 and so on. With --text four more values follow: the
decoded "Subject", the text part's content type, its lines joined by "|" and every
attachment's name, joined by ",".
"""
import email
import email.header
import email.policy
import os
import re
import sys


def main():
    folder = sys.argv[1]
    with_text = "--text" in sys.argv[2:]
    numbers = sorted(int(m.group(1)) for name in os.listdir(folder)
                     for m in [re.fullmatch(r"message(\d+)\.eml", name)] if m)
    for n in numbers:
        base = os.path.join(folder, "message%d" % n)
        with open(base + ".eml", "rb") as f:
            message = email.message_from_bytes(f.read(), policy=email.policy.compat32)
        defects = len(message.defects)
        names = []
        text_type, text = "-", "-"
        for part in message.walk():
            defects += len(part.defects)
            if part.get_filename():
                names.append(part.get_filename())
                suffix = "" if len(names) == 1 else str(len(names))
                with open(base + ".card" + suffix, "wb") as out:
                    out.write(part.get_payload(decode=True) or b"")
            elif part.get_content_maintype() == "text" and text == "-":
                text_type = part.get_content_type()
                payload = part.get_payload(decode=True) or b""
                charset = part.get_content_charset() or "us-ascii"
                text = "|".join(payload.decode(charset).splitlines())
        values = [str(n), message["To"] or "-", message["Message-ID"] or "-",
                  names[-1] if names else "-", str(defects)]
        if with_text:
            subject = str(email.header.make_header(email.header.decode_header(message["Subject"] or "")))
            values += [subject, text_type, text, ",".join(names)]
        print("\t".join(values))


if __name__ == "__main__":
    main()
