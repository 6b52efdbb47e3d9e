#!/usr/bin/env python3
"""Draws the program's artwork into res/: the icon (32 x 32) and the two About-box bitmaps.

All three are 8 bits per pixel with a 256-entry colour table. Entry 0 is the light grey
background (212, 208, 204); no entry is pure white, so the white key colour of the About box's
picture controls never makes a pixel transparent. Lettering is rendered by ImageMagick as a grey
coverage map and blended here between the background and the ink.

    python3 tools/draw-art.py        (needs ImageMagick's convert and fonts-ipafont-gothic)
"""
import os
import struct
import subprocess

BACKGROUND = (212, 208, 204)
HOME_PAGE = "http://www.example.com/haltiqo/"
FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def ink_palette(ink):
    """Entry 0 is the background, entries 1..255 run towards the ink."""
    return [BACKGROUND] + [blend(BACKGROUND, ink, i / 255) for i in range(1, 256)]


def coverage(width, height, text, pointsize, stroke=0, underline=False):
    """Renders text with ImageMagick and returns rows of coverage 0..255."""
    args = ["convert", "-size", f"{width}x{height}", "xc:black", "-font", FONT,
            "-pointsize", str(pointsize), "-fill", "white", "-gravity", "center"]
    if stroke:
        args += ["-stroke", "white", "-strokewidth", str(stroke)]
    if underline:
        args += ["-undercolor", "none", "-annotate", "+0-2", text,
                 "-stroke", "white", "-strokewidth", "2", "-draw",
                 f"line 8,{height - 5} {width - 9},{height - 5}"]
    else:
        args += ["-annotate", "+0+0", text]
    args += ["-colorspace", "gray", "-depth", "8", "gray:-"]
    data = subprocess.run(args, check=True, capture_output=True).stdout
    return [list(data[y * width:(y + 1) * width]) for y in range(height)]


def dib(width, height, palette, rows):
    """BITMAPINFOHEADER (40 bytes), the colour table and bottom-up 8-bit rows."""
    stride = (width + 3) & ~3
    pixels = b"".join(bytes(row) + b"\0" * (stride - width) for row in reversed(rows))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835,
                         256, 0)
    table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    return header, table, pixels


def write_bmp(name, width, height, palette, rows):
    header, table, pixels = dib(width, height, palette, rows)
    offset = 14 + len(header) + len(table)
    with open(os.path.join(RES, name), "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(header + table + pixels)


def write_icon(name):
    """A face on a yellow field with a green border."""
    size = 32
    palette = [BACKGROUND, (0, 128, 0), (250, 220, 40), (0, 0, 0), (200, 60, 40)]
    palette += [BACKGROUND] * (256 - len(palette))
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            dx, dy = x - 15.5, y - 15.5
            if x < 2 or y < 2 or x > 29 or y > 29:
                c = 1  # green border
            else:
                c = 2  # yellow field
                r = (dx * dx + dy * dy) ** 0.5
                if 10.5 <= r <= 12:
                    c = 3  # outline of the face
                if ((x - 11.5) ** 2 + (y - 12) ** 2) <= 3 or ((x - 19.5) ** 2 + (y - 12) ** 2) <= 3:
                    c = 3  # eyes
                if 5.5 <= r <= 7 and dy > 2:
                    c = 4  # smile
            row.append(c)
        rows.append(row)
    header, table, pixels = dib(size, size, palette, rows)
    # An icon's header counts the colour bitmap and the mask together.
    header = struct.pack("<IiiHH", 40, size, size * 2, 1, 8) + header[16:]
    mask = b"\0" * (4 * size)  # every pixel opaque
    image = header + table + pixels + mask
    with open(os.path.join(RES, name), "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image), 22))
        f.write(image)


def lettering(name, width, height, text, pointsize, ink, stroke=0, underline=False):
    cover = coverage(width, height, text, pointsize, stroke, underline)
    write_bmp(name, width, height, ink_palette(ink), cover)


if __name__ == "__main__":
    write_icon("Haltiqo.ico")
    lettering("title.bmp", 172, 69, "Haltiqo", 40, (0, 0, 0), stroke=2)
    lettering("link.bmp", 227, 34, HOME_PAGE, 14, (240, 120, 0), underline=True)
