#!/usr/bin/env python3
"""Packs the program's PNG icons into one Windows icon, each image kept as PNG, as Windows
Vista and later read them.

    makeicon.py OUTPUT.ico IMAGE.png ..."""
import struct
import sys


def png_size(data):
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit('makeicon.py: not a PNG')
    return struct.unpack('>II', data[16:24])


def main():
    out, *images = sys.argv[1:]
    pictures = [open(path, 'rb').read() for path in images]
    header = struct.pack('<HHH', 0, 1, len(pictures))
    entries = b''
    offset = len(header) + 16 * len(pictures)
    for data in pictures:
        width, height = png_size(data)
        # A side of 256 is written as 0.
        entries += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset)
        offset += len(data)
    with open(out, 'wb') as icon:
        icon.write(header + entries + b''.join(pictures))


if __name__ == '__main__':
    main()
