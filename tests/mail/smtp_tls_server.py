"""An aiosmtpd server with TLS for Kartello's mail tests.

usage: /usr/bin/python3 smtp_tls_server.py FOLDER MODE CERT KEY [MECHANISMS]

MODE is "starttls" (STARTTLS required before anything else, then AUTH required), "tls" (TLS
from the first byte, AUTH required) or "nostarttls" (plain, no STARTTLS offered). MECHANISMS
is "PLAIN,LOGIN" (the default) or the one mechanism to offer. The only account is user
"dl1abc" with the password "app-pw-73". Messages are kept in FOLDER like smtp_sink.py does.
Prints the port, stops when standard input is closed.
"""
import os
import ssl
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from smtp_sink import SinkHandler, free_port  # noqa: E402

ALL_MECHANISMS = {"PLAIN", "LOGIN"}


def authenticator(server, session, envelope, mechanism, auth_data):
    ok = (isinstance(auth_data, LoginPassword) and auth_data.login == b"dl1abc"
          and auth_data.password == b"app-pw-73")
    return AuthResult(success=ok, handled=False)


def main():
    folder, mode, cert, key = sys.argv[1:5]
    offered = set(sys.argv[5].split(",")) if len(sys.argv) > 5 else ALL_MECHANISMS
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert, key)
    options = dict(authenticator=authenticator, auth_exclude_mechanism=ALL_MECHANISMS - offered)
    if mode == "starttls":
        options.update(tls_context=context, require_starttls=True, auth_required=True)
    elif mode == "tls":
        options.update(ssl_context=context, auth_required=True, auth_require_tls=False)
    controller = Controller(SinkHandler(folder), hostname="127.0.0.1", port=free_port(), **options)
    controller.start()
    print(controller.port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
