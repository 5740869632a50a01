"""The reference for Kartello's run benchmark: Python's smtplib sending prepared messages in
one session.

usage: /usr/bin/python3 smtplib_session.py PORT FOLDER COUNT CA.pem

Sends FOLDER/message1.eml .. messageCOUNT.eml (as a test server kept them) over one STARTTLS
session with one login, each to its envelope's recipients, and prints the whole time in ms.
"""
import os
import smtplib
import ssl
import sys
import time


def main():
    port, folder, count, ca = int(sys.argv[1]), sys.argv[2], int(sys.argv[3]), sys.argv[4]
    messages = []
    for n in range(1, count + 1):
        base = os.path.join(folder, "message%d" % n)
        with open(base + ".eml", "rb") as f:
            data = f.read()
        with open(base + ".envelope", encoding="utf-8") as f:
            envelope = f.read().split()
        messages.append((envelope[0], envelope[1:], data))
    context = ssl.create_default_context(cafile=ca)
    start = time.perf_counter()
    with smtplib.SMTP("localhost", port) as s:
        s.starttls(context=context)
        s.login("dl1abc", "app-pw-73")
        for sender, recipients, data in messages:
            s.sendmail(sender, recipients, data)
    print("%.3f" % ((time.perf_counter() - start) * 1000.0))


if __name__ == "__main__":
    main()
