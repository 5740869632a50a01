"""The reference for Kartello's mail benchmark: Python's smtplib sending the same bytes.

usage: /usr/bin/python3 smtplib_send.py PORT MODE MESSAGE.eml SENDS [CA.pem]

MODE is "plain" or "starttls" (then it logs in as the test server's user). Sends the message
SENDS times, each on a connection of its own, and prints the time of each send in ms.
"""
import smtplib
import ssl
import sys
import time


def main():
    port, mode, path, sends = int(sys.argv[1]), sys.argv[2], sys.argv[3], int(sys.argv[4])
    with open(path, "rb") as f:
        message = f.read()
    context = ssl.create_default_context(cafile=sys.argv[5]) if mode == "starttls" else None
    times = []
    for _ in range(sends):
        start = time.perf_counter()
        with smtplib.SMTP("localhost", port) as s:
            if context:
                s.starttls(context=context)
                s.login("dl1abc", "app-pw-73")
            s.sendmail("dl1abc@example.org", ["k1abc@example.net"], message)
        times.append((time.perf_counter() - start) * 1000.0)
    print(" ".join("%.3f" % t for t in times))


if __name__ == "__main__":
    main()
