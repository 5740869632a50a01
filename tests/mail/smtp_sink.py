"""A real SMTP server for Kartello's mail tests, built on aiosmtpd.

usage: /usr/bin/python3 smtp_sink.py FOLDER

Listens on 127.0.0.1 on a free port and prints that port on one line. Every accepted message
is written to FOLDER as messageN.eml (the DATA content exactly as received, dots unstuffed)
with messageN.envelope beside it (MAIL FROM on the first line, one RCPT TO per line after).
Stops when its standard input is closed.
"""
import os
import socket
import sys

from aiosmtpd.controller import Controller


class SinkHandler:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.folder, "message%d" % self.count)
        with open(base + ".envelope", "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join([envelope.mail_from] + list(envelope.rcpt_tos)) + "\n")
        with open(base + ".part", "wb") as f:
            f.write(envelope.original_content)
        os.replace(base + ".part", base + ".eml")
        return "250 Message accepted for delivery"


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    controller = Controller(SinkHandler(sys.argv[1]), hostname="127.0.0.1", port=free_port())
    controller.start()
    print(controller.port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
