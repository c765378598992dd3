"""Decodes a PNG file (standard library only: zlib) and tells whether it shows anything.

Prints "WIDTH HEIGHT COLOURS NONWHITE": the size, the number of distinct colours and the fraction
of pixels that are not white. 8-bit greyscale, RGB and RGBA images without interlacing.
"""
import struct
import sys
import zlib


def pixels(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {0: 1, 2: 3, 4: 2, 6: 4}[colour]
    if depth != 8 or interlace != 0:
        raise ValueError("unsupported PNG layout")
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, channels, rows


def main(path):
    width, height, channels, rows = pixels(path)
    colours, nonwhite = set(), 0
    for row in rows:
        for x in range(0, len(row), channels):
            px = row[x:x + min(channels, 3)]
            colours.add(px)
            if any(v < 250 for v in px):
                nonwhite += 1
    print(width, height, len(colours), nonwhite / float(width * height))


if __name__ == "__main__":
    main(sys.argv[1])
