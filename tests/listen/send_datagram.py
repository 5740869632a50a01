#!/usr/bin/env python3
"""Sends the bytes of each FILE as one UDP datagram to HOST:PORT, as a logging program on
another computer would. With --via ADDR a group's datagrams leave through the interface that
holds ADDR."""
import argparse
import socket

parser = argparse.ArgumentParser()
parser.add_argument("host")
parser.add_argument("port", type=int)
parser.add_argument("files", nargs="+")
parser.add_argument("--via")
args = parser.parse_args()

sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
if args.via:
    sock.setsockopt(socket.IPPROTO_IP, socket.IP_MULTICAST_IF, socket.inet_aton(args.via))
for name in args.files:
    with open(name, "rb") as f:
        data = f.read()
    if sock.sendto(data, (args.host, args.port)) != len(data):
        raise SystemExit("datagram from %s not sent whole" % name)
