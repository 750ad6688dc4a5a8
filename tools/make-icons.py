#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files (32-bit images).

Run once by hand when the artwork changes; the .ico files are kept in the
repository so that a build needs no image tools.
    python3 tools/make-icons.py
"""
import math
import os
import struct

SS = 4  # supersampling per axis


def rounded_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1


def ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def blend(dst, src):
    sr, sg, sb, sa = src
    dr, dg, db, da = dst
    a = sa + da * (1 - sa)
    if a == 0:
        return (0, 0, 0, 0)
    mix = lambda s, d: (s * sa + d * da * (1 - sa)) / a
    return (mix(sr, dr), mix(sg, dg), mix(sb, db), a)


def app_pixel(u, v):
    """u, v in 0..1 over the icon; returns RGBA floats (0..1)."""
    c = (0, 0, 0, 0)
    if rounded_rect(u, v, 0.04, 0.04, 0.96, 0.96, 0.18):
        t = v
        c = (0.10 + 0.10 * t, 0.38 - 0.12 * t, 0.80 - 0.20 * t, 1.0)
    # three playlist lines
    for i, y in enumerate((0.30, 0.48, 0.66)):
        if rounded_rect(u, v, 0.17, y - 0.045, 0.50 - 0.06 * i, y + 0.045, 0.04):
            c = blend(c, (1, 1, 1, 0.95))
    # music note: head, stem, flag
    if ellipse(u, v, 0.66, 0.74, 0.13, 0.10):
        c = blend(c, (1.0, 0.82, 0.25, 1))
    if 0.745 <= u <= 0.80 and 0.22 <= v <= 0.74:
        c = blend(c, (1.0, 0.82, 0.25, 1))
    if 0.78 <= u <= 0.90 and 0.22 <= v <= 0.36 and v - 0.22 <= (u - 0.745) * 1.1:
        c = blend(c, (1.0, 0.82, 0.25, 1))
    return c


def device_pixel(u, v):
    c = (0, 0, 0, 0)
    if rounded_rect(u, v, 0.22, 0.04, 0.78, 0.96, 0.12):
        c = (0.22, 0.24, 0.28, 1)
    if rounded_rect(u, v, 0.30, 0.12, 0.70, 0.46, 0.04):
        c = (0.55, 0.85, 0.95, 1)
    if ellipse(u, v, 0.50, 0.70, 0.17, 0.17):
        c = (0.85, 0.87, 0.90, 1)
    if ellipse(u, v, 0.50, 0.70, 0.06, 0.06):
        c = (0.22, 0.24, 0.28, 1)
    return c


def render(pixel, size):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    u = (x + (sx + 0.5) / SS) / size
                    v = (y + (sy + 0.5) / SS) / size
                    r, g, b, a = pixel(u, v)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SS * SS
            a = acc[3] / n
            if a > 0:
                rgb = [acc[i] / acc[3] for i in range(3)]
            else:
                rgb = [0, 0, 0]
            row.append(tuple(int(round(ch * 255)) for ch in rgb) + (int(round(a * 255)),))
        rows.append(row)
    return rows


def ico_image(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    return header + xor + bytes(and_mask)


def write_ico(path, pixel, sizes):
    images = [ico_image(render(pixel, s)) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'modules')
    write_ico(os.path.join(root, 'resources', 'app.ico'), app_pixel, (16, 32, 48))
    write_ico(os.path.join(root, 'deviceicon', 'device.ico'), device_pixel, (16, 32))
    write_ico(os.path.join(root, 'deviceicon', 'device32only.ico'), device_pixel, (32,))
