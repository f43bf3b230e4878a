#!/usr/bin/env python3
"""Packs a skin folder into a VLzf package with Python's zlib, at another level than ours,
so that the reader is tested on streams it did not write itself."""
import os
import struct
import sys
import zlib


def main(folder, out):
    names = sorted(os.listdir(folder), key=lambda n: (n.lower() != "options.dat", n))
    body = b""
    for index, name in enumerate(names):
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        # Alternate levels so that both fast and best-compression streams are read.
        packed = zlib.compress(data, 9 if index % 2 == 0 else 1)
        encoded = name.encode("latin-1")
        body += struct.pack("<I", len(encoded)) + encoded + struct.pack("<I", len(data)) + packed
    with open(out, "wb") as f:
        f.write(b"VLzf" + struct.pack("<I", len(names)) + body)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
