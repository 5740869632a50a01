"""An aiosmtpd server with STARTTLS and AUTH that misbehaves on cue, for Kartello's tests of
a run of many cards.

usage: /usr/bin/python3 smtp_fault_server.py FOLDER CERT KEY PLAN

PLAN is JSON:
  "recipients": {"address": ["450 ...", "550 ..."]}   the replies to that address's first
                RCPT commands, in turn; later ones are accepted
  "reply421":   [n, ...]  the n-th message (counting every message whose data arrived) is
                answered "421" and the session closed; it is not kept
  "dropBefore": [n, ...]  the connection is cut after the n-th message's data, before any
                reply; it is not kept
  "dropAfter":  [n, ...]  the n-th message is kept and answered 250, then the connection is
                closed
  "refuse":     [n, ...]  the n-th message is answered "554" after its data; it is not kept
Accepted messages are kept in FOLDER as smtp_sink.py keeps them. The only account is user
"dl1abc" with the password "app-pw-73". Prints the port, stops when standard input is closed.
"""
import asyncio
import json
import os
import ssl
import sys

from aiosmtpd.controller import Controller

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "mail"))
from smtp_sink import SinkHandler, free_port  # noqa: E402
from smtp_tls_server import authenticator  # noqa: E402


class FaultHandler(SinkHandler):
    def __init__(self, folder, plan):
        super().__init__(folder)
        self.plan = plan
        self.rcpt_tries = {}
        self.arrived = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        tries = self.rcpt_tries.get(address, 0)
        self.rcpt_tries[address] = tries + 1
        replies = self.plan.get("recipients", {}).get(address, [])
        if tries < len(replies):
            return replies[tries]
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.arrived += 1
        n = self.arrived
        loop = asyncio.get_running_loop()
        if n in self.plan.get("dropBefore", []):
            server.transport.abort()
            return "250 never seen"
        if n in self.plan.get("refuse", []):
            return "554 5.6.0 Message refused"
        if n in self.plan.get("reply421", []):
            loop.call_soon(server.transport.close)
            return "421 4.7.0 Too many messages in this session, closing"
        status = await super().handle_DATA(server, session, envelope)
        if n in self.plan.get("dropAfter", []):
            loop.call_soon(server.transport.close)
        return status


def main():
    folder, cert, key, plan = sys.argv[1:5]
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert, key)
    controller = Controller(FaultHandler(folder, json.loads(plan)), hostname="127.0.0.1",
                            port=free_port(), authenticator=authenticator, tls_context=context,
                            require_starttls=True, auth_required=True)
    controller.start()
    print(controller.port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
