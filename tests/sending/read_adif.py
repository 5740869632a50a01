"""An ADIF reader of its own, written from the ADIF standard, to check Kartello's files.

usage: /usr/bin/python3 read_adif.py FILE

Prints "header" and the header's fields, then one line per record: its fields as NAME=value
joined by tab, names in upper case, in the order they stand. A problem (a record that does
not end in <EOR>, a length that runs past the end) is printed as a line starting "error";
text without a tag after the last record is passed over, as the standard has it.
"""
import re
import sys

FIELD = re.compile(rb"<([^:<>]+)(?::(\d+)(?::[^>]*)?)?>")


def fields(data, pos, end_tag):
    found = []
    while True:
        m = FIELD.search(data, pos)
        if not m:
            return found, None, len(data)
        name = m.group(1).decode("ascii").upper()
        if name == end_tag:
            return found, True, m.end()
        if m.group(2) is None:
            return found, False, m.end()
        length = int(m.group(2))
        value = data[m.end():m.end() + length]
        if len(value) < length:
            print("error value of", name, "runs past the end")
        found.append((name, value.decode("utf-8")))
        pos = m.end() + length


def main():
    with open(sys.argv[1], "rb") as f:
        data = f.read()
    pos = 0
    if not data.startswith(b"<"):
        header, ok, pos = fields(data, 0, "EOH")
        if not ok:
            print("error header does not end in <EOH>")
        print("header\t" + "\t".join("%s=%s" % f for f in header))
    while data[pos:].strip():
        record, ok, pos = fields(data, pos, "EOR")
        if ok is None and not record:
            break  # text after the last record, as the standard allows between records
        if not ok:
            print("error record does not end in <EOR>")
            break
        print("\t".join("%s=%s" % f for f in record))


if __name__ == "__main__":
    main()
