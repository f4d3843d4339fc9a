"""Screenshots of the X display as xwd writes them, read into RGB pixels: xwd comes with the X
server's own tools and needs no image library."""
import struct
import subprocess

import numpy


def screenshot():
    """The whole screen, as rows of RGB bytes."""
    data = subprocess.run(['xwd', '-root', '-silent'], capture_output=True, check=True).stdout
    fields = struct.unpack('>25I', data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    bits_per_pixel, bytes_per_line, colours = fields[11], fields[12], fields[19]
    byte_order = fields[7]
    size = bits_per_pixel // 8  # with Wine's windows up, xwd may pack three bytes a pixel
    if size not in (3, 4):
        raise RuntimeError(f'xwd: {bits_per_pixel} bits per pixel')
    start = header_size + 12 * colours
    rows = numpy.frombuffer(data, numpy.uint8, height * bytes_per_line, start)
    pixels = rows.reshape(height, bytes_per_line)[:, :width * size].reshape(height, width, size)
    # Least significant byte first: blue, green, red.
    return pixels[..., 2::-1].copy() if byte_order == 0 else pixels[..., size - 3:].copy()


def write_png(path, pixels):
    """A small PNG writer, for keeping screenshots to look at."""
    import zlib
    height, width, _ = pixels.shape
    raw = b''.join(b'\0' + pixels[y].tobytes() for y in range(height))

    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))

    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
                  + chunk(b'IDAT', zlib.compress(raw, 6)) + chunk(b'IEND', b''))
