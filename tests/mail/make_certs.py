"""Makes the certificates Kartello's TLS mail tests need, with Python's cryptography package.

usage: /usr/bin/python3 make_certs.py FOLDER

Writes into FOLDER: ca.pem (a test authority the test trusts through SSL_CERT_FILE) and, each
signed by it, a certificate and key for
  localhost   valid now for the names "localhost" and 127.0.0.1
  otherhost   valid now, but for "mail.other.example" only
  expired     for "localhost", but its validity ended yesterday
as NAME.pem and NAME.key; rogue.pem / rogue.key for "localhost" from an authority nobody trusts.
"""
import datetime
import ipaddress
import os
import sys

from cryptography import x509
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.x509.oid import NameOID

NOW = datetime.datetime.utcnow()
DAY = datetime.timedelta(days=1)


def name(text):
    return x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, text)])


def authority(title):
    key = ec.generate_private_key(ec.SECP256R1())
    cert = (x509.CertificateBuilder().subject_name(name(title)).issuer_name(name(title))
            .public_key(key.public_key()).serial_number(x509.random_serial_number())
            .not_valid_before(NOW - DAY).not_valid_after(NOW + 30 * DAY)
            .add_extension(x509.BasicConstraints(ca=True, path_length=None), critical=True)
            .sign(key, hashes.SHA256()))
    return key, cert


def server(ca_key, ca_cert, names, not_before, not_after):
    key = ec.generate_private_key(ec.SECP256R1())
    alt = [x509.DNSName(n) for n in names if not n[0].isdigit()]
    alt += [x509.IPAddress(ipaddress.ip_address(n)) for n in names if n[0].isdigit()]
    cert = (x509.CertificateBuilder().subject_name(name(names[0])).issuer_name(ca_cert.subject)
            .public_key(key.public_key()).serial_number(x509.random_serial_number())
            .not_valid_before(not_before).not_valid_after(not_after)
            .add_extension(x509.SubjectAlternativeName(alt), critical=False)
            .add_extension(x509.BasicConstraints(ca=False, path_length=None), critical=True)
            .sign(ca_key, hashes.SHA256()))
    return key, cert


def write(folder, base, key, cert):
    with open(os.path.join(folder, base + ".pem"), "wb") as f:
        f.write(cert.public_bytes(serialization.Encoding.PEM))
    if key is not None:
        with open(os.path.join(folder, base + ".key"), "wb") as f:
            f.write(key.private_bytes(serialization.Encoding.PEM,
                                      serialization.PrivateFormat.PKCS8,
                                      serialization.NoEncryption()))


def main():
    folder = sys.argv[1]
    ca_key, ca_cert = authority("Kartello Test Authority")
    write(folder, "ca", None, ca_cert)
    rows = {
        "localhost": (["localhost", "127.0.0.1"], NOW - DAY, NOW + 30 * DAY),
        "otherhost": (["mail.other.example"], NOW - DAY, NOW + 30 * DAY),
        "expired": (["localhost", "127.0.0.1"], NOW - 30 * DAY, NOW - DAY),
    }
    for base, (names, before, after) in rows.items():
        write(folder, base, *server(ca_key, ca_cert, names, before, after))
    rogue_key, rogue_cert = authority("Nobody's Authority")
    write(folder, "rogue", *server(rogue_key, rogue_cert, ["localhost", "127.0.0.1"],
                                   NOW - DAY, NOW + 30 * DAY))


if __name__ == "__main__":
    main()
