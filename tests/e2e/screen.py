#!/usr/bin/env python3
"""Reads a screenshot taken with `xwd -root` for the end-to-end tests.

  screen.py png SHOT.xwd OUT.png     the screenshot as a PNG, to look at after a failure
  screen.py image SHOT.xwd           "left top width height" of the drawing image on the screen,
                                     found from its frame: the 1-pixel rectangle in the frame colour
                                     whose top-left corner is image pixel (1, 1)
  screen.py near SHOT.xwd X Y RRGGBB [RADIUS]
                                     exit 0 when a pixel within RADIUS (default 2) of screen (X, Y)
                                     has the colour RRGGBB
  screen.py ink SHOT.xwd X Y W H     the number of dark pixels (text) in the rectangle; nothing of it
                                     may lie off the screen
"""
import struct
import sys
import zlib


class Screenshot:
    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        fields = struct.unpack(">25I", data[:100])
        header_size, _version, pixmap_format, depth, width, height = fields[:6]
        byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
        red_mask, green_mask, blue_mask = fields[14:17]
        colors = fields[19]
        self._pixels = memoryview(data)[header_size + colors * 12:]
        # With windows of several visuals on the screen (a window manager's frames beside the
        # program's windows), xwd names 24 bits per pixel in lines of 4 bytes per pixel, and stores
        # either 4 bytes per pixel or 3 bytes with the rest of each line left zero.
        self._bytes = bytes_per_line // width if width else 0
        if bits_per_pixel == 24 and self._bytes == 4 and self._packed(width, height, bytes_per_line):
            self._bytes = 3
        if pixmap_format != 2 or depth != 24 or bits_per_pixel not in (24, 32) or self._bytes not in (3, 4):
            raise SystemExit(f"screen.py: unexpected xwd format {pixmap_format}/{depth}/{bits_per_pixel}")
        self.width, self.height = width, height
        self._stride = bytes_per_line
        self._order = "<" if byte_order == 0 else ">"
        self._shifts = [(m, (m & -m).bit_length() - 1) for m in (red_mask, green_mask, blue_mask)]

    def _packed(self, width, height, stride):
        """True for 3-byte pixels: zero line ends, and no constant filler byte in every fourth place."""
        used, zeros = 3 * width, bytes(stride - 3 * width)
        if any(self._pixels[y * stride + used:(y + 1) * stride] != zeros for y in range(height)):
            return False
        return len(set(bytes(self._pixels[3:stride * height:4]))) > 1

    def rgb(self, x, y):
        at = y * self._stride + x * self._bytes
        if self._bytes == 3:
            b = bytes(self._pixels[at:at + 3]) + b"\0" if self._order == "<" else b"\0" + bytes(self._pixels[at:at + 3])
            (v,) = struct.unpack(self._order + "I", b)
        else:
            (v,) = struct.unpack_from(self._order + "I", self._pixels, at)
        return tuple((v & m) >> s for m, s in self._shifts)

    def row(self, y):
        return [self.rgb(x, y) for x in range(self.width)]

    def png(self, path):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)
            for r, g, b in self.row(y):
                raw += bytes((r, g, b))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 6)))
            f.write(chunk(b"IEND", b""))


def longest_run(values, colour):
    """(start, length) of the longest run of `colour` in `values`."""
    best, start = (0, 0), None
    for i, v in enumerate(list(values) + [None]):
        if v == colour and start is None:
            start = i
        elif v != colour and start is not None:
            best = max(best, (i - start, start))
            start = None
    return best[1], best[0]


def find_image(shot, frame=(0, 0, 0)):
    """The drawing image's screen rectangle. The frame runs over image columns 1..W-2 and rows 1..H-2."""
    for y in range(shot.height):
        left, length = longest_run(shot.row(y), frame)
        if length < shot.width // 2:
            continue
        column = [shot.rgb(left, yy) for yy in range(y, shot.height)]
        top_run, height = longest_run(column, frame)
        if top_run == 0 and height > shot.height // 2:
            return left - 1, y - 1, length + 2, height + 2
    raise SystemExit("screen.py: no drawing image frame on the screen")


def main(argv):
    if len(argv) >= 3 and argv[0] == "png":
        Screenshot(argv[1]).png(argv[2])
    elif len(argv) == 2 and argv[0] == "image":
        print(*find_image(Screenshot(argv[1])))
    elif len(argv) in (5, 6) and argv[0] == "near":
        shot = Screenshot(argv[1])
        x, y = int(argv[2]), int(argv[3])
        want = tuple(bytes.fromhex(argv[4]))
        radius = int(argv[5]) if len(argv) == 6 else 2
        for yy in range(max(0, y - radius), min(shot.height, y + radius + 1)):
            for xx in range(max(0, x - radius), min(shot.width, x + radius + 1)):
                if shot.rgb(xx, yy) == want:
                    return 0
        return 1
    elif len(argv) == 6 and argv[0] == "ink":
        shot = Screenshot(argv[1])
        x, y, w, h = map(int, argv[2:])
        if x < 0 or y < 0 or x + w > shot.width or y + h > shot.height:
            raise SystemExit(f"screen.py: {w} x {h} at ({x}, {y}) is not on the {shot.width} x {shot.height} screen")
        print(sum(1 for yy in range(y, y + h) for xx in range(x, x + w) if sum(shot.rgb(xx, yy)) < 3 * 0x70))
    else:
        raise SystemExit(__doc__)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
