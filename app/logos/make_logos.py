#!/usr/bin/env python3
"""Draws the three logo bitmaps of the window program (one per device family) as 8-bit BMP files.

Run from this folder: python3 make_logos.py. The files are committed; the build copies them beside vqpt32.
"""
import struct

W, H = 240, 96
FONT = {  # 5x7 block letters
    'Z': ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    'P': ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    'R': ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    'L': ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    'X': ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    'Q': ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    'W': ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    'M': ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
}
# palette indices
BACK, BAND, LETTER, RING, SHADE = 0, 1, 2, 3, 4


def palette(accent):
    colours = [(255, 255, 255), accent, (255, 255, 255), (250, 190, 40), (200, 200, 200)]
    colours += [(0, 0, 0)] * (256 - len(colours))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)


def draw(name, accent):
    px = [[BACK] * W for _ in range(H)]
    for y in range(8, H - 8):  # the band, with a shadow line under it
        for x in range(8, W - 8):
            px[y][x] = BAND
    for x in range(10, W - 6):
        px[H - 7][x] = SHADE
    cx, cy, r_out, r_in = 48, H // 2, 30, 20  # a drive's shaft: a ring with a key
    for y in range(H):
        for x in range(W):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if r_in ** 2 <= d <= r_out ** 2:
                px[y][x] = RING
            if abs(x - cx) <= 3 and cy - r_out <= y <= cy - r_in + 4:
                px[y][x] = BAND
    scale, left, top = 6, 94, (H - 7 * 6) // 2
    for i, ch in enumerate(name):
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            px[top + row * scale + dy][left + i * 6 * scale + col * scale + dx] = LETTER
    stride = (W + 3) & ~3
    pixels = b"".join(bytes(px[y]) + b"\0" * (stride - W) for y in range(H - 1, -1, -1))
    pal = palette(accent)
    off = 14 + 40 + len(pal)
    size = off + len(pixels)
    header = b"BM" + struct.pack("<IHHI", size, 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    return header + info + pal + pixels


for file, name, accent in (("VANDRO2.BMP", "ZPR", (20, 60, 140)), ("KLX4.BMP", "KLX", (20, 110, 60)),
                           ("QWM4.BMP", "QWM", (130, 30, 40))):
    with open(file, "wb") as f:
        f.write(draw(name, accent))
