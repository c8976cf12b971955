#!/usr/bin/env python3
"""Draws the program's icons, cursors and bitmap and writes them as .ico, .cur and .bmp files.

    python3 tools/gen_resources.py           write the images into src/resources/
    python3 tools/gen_resources.py --check   draw them afresh in a temporary directory, compare them byte for
                                             byte with the committed files and check the About text in the
                                             resource script; exit status 1 on any difference

Every image is drawn from coordinates in this file, so the committed files can always be rebuilt exactly.
"""

import argparse
import filecmp
import os
import re
import struct
import sys
import tempfile

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RESOURCES = os.path.join(REPO, "src", "resources")
SCRIPT = os.path.join(RESOURCES, "derodazo.rc")

# The 16-colour palette every 4-bit icon uses, as (red, green, blue).
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
    (0, 255, 255), (255, 255, 255),
]
BLACK, WHITE = 0, 15

# 256-colour palette of the small cells icon: only the first four entries are used.
SMALL_CELLS_PALETTE = [(0, 0, 0), (4, 4, 4), (119, 119, 119), (255, 255, 255)] + [(0, 0, 0)] * 252
NEAR_BLACK, GREY, SMALL_WHITE = 1, 2, 3

MONO_PALETTE = [(0, 0, 0), (255, 255, 255)]

# The five-cell figure, as (row, column) on a 3x3 grid.
CELLS = [(0, 1), (0, 2), (1, 0), (1, 1), (2, 1)]

# Application icon bubbles as (left, top, diameter), drawn in this order. In both sizes the small bubble and
# the bottom-right one each touch the large lower bubble and no other pair touches.
APP_BUBBLES = {
    32: [(0, 0, 15), (21, 11, 7), (9, 14, 15), (0, 23, 9), (23, 22, 9)],
    16: [(0, 0, 8), (11, 4, 4), (6, 7, 8), (0, 11, 5), (11, 11, 5)],
}

PIN = [(k, k) for k in range(14)] + [(15, 13), (14, 14), (15, 14), (13, 15), (14, 15)]
PIN_HOTSPOT = (0, 0)

GROW = (
    [(x, 0) for x in range(6, 10)] + [(5, 1), (10, 1)]
    + [(4, y) for y in range(2, 6)] + [(11, y) for y in range(2, 6)]
    + [(5, 6), (10, 6)] + [(x, 7) for x in range(6, 10)]
    + [(x, y) for y in range(8, 16) for x in (7, 8)]
)
GROW_HOTSPOT = (7, 3)


class Image:
    """A grid of palette indices; None marks a transparent pixel."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[None] * width for _ in range(height)]

    def put(self, x, y, colour):
        self.pixels[y][x] = colour


def ring_pixels(left, top):
    """A 5x5 square outline with its corners cut: a three-pixel run on each side."""
    for k in range(1, 4):
        yield "top", (left + k, top)
        yield "bottom", (left + k, top + 4)
        yield "left", (left, top + k)
        yield "right", (left + 4, top + k)


def disc(left, top, diameter):
    """Pixels whose centres lie within the circle inscribed in the given square."""
    r = diameter / 2.0
    cx, cy = left + r, top + r
    return {
        (x, y)
        for y in range(top, top + diameter)
        for x in range(left, left + diameter)
        if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r
    }


def draw_app_icon(size):
    image = Image(size, size)
    for left, top, diameter in APP_BUBBLES[size]:
        inside = disc(left, top, diameter)
        for x, y in sorted(inside):
            on_edge = any((x + dx, y + dy) not in inside for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            image.put(x, y, BLACK if on_edge else WHITE)
    return image


def draw_cells():
    image = Image(17, 17)
    for row, column in CELLS:
        for _, (x, y) in ring_pixels(6 * column, 6 * row):
            image.put(x, y, BLACK)
    return image


def draw_cells_small():
    image = Image(16, 16)
    for row, column in CELLS:
        left, top = 5 * column, 1 + 5 * row
        # Where two cells meet, the right or lower one draws its shared edge in grey.
        grey_sides = set()
        if (row, column - 1) in CELLS:
            grey_sides.add("left")
        if (row - 1, column) in CELLS:
            grey_sides.add("top")
        for y in range(top + 1, top + 4):
            for x in range(left + 1, left + 4):
                image.put(x, y, SMALL_WHITE)
        for side, (x, y) in ring_pixels(left, top):
            image.put(x, y, GREY if side in grey_sides else NEAR_BLACK)
    return image


def draw_cursor(points):
    image = Image(32, 32)
    for x, y in points:
        image.put(x, y, 0)
    return image


def cells_bitmap_image():
    """The cells figure, black on an opaque white ground (index 1 of the two-entry palette)."""
    image = draw_cells()
    for row in image.pixels:
        for x, colour in enumerate(row):
            row[x] = 1 if colour is None else 0
    return image


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_rows(image, bits, value):
    """Bottom-up rows of `bits`-per-pixel values, each padded to a 32-bit boundary."""
    stride = row_stride(image.width, bits)
    out = bytearray()
    for row in reversed(image.pixels):
        packed = bytearray(stride)
        for x, pixel in enumerate(row):
            v = value(pixel)
            bit = x * bits
            packed[bit // 8] |= v << (8 - bits - bit % 8)
        out += packed
    return bytes(out)


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def masked_dib(image, bits, palette):
    """An icon or cursor image: header of double height, palette, colour (XOR) rows, then the AND mask."""
    xor = pack_rows(image, bits, lambda p: 0 if p is None else p)
    mask = pack_rows(image, 1, lambda p: 1 if p is None else 0)
    header = info_header(image.width, 2 * image.height, bits, len(xor) + len(mask))
    return header + palette_bytes(palette) + xor + mask


def directory(kind, entries):
    """An .ico (kind 1) or .cur (kind 2) file: the directory, then the images in the same order."""
    offset = 6 + 16 * len(entries)
    head = struct.pack("<HHH", 0, kind, len(entries))
    body = b""
    for width, height, colours, field1, field2, data in entries:
        head += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0, field1, field2, len(data), offset)
        offset += len(data)
        body += data
    return head + body


def icon_file(images):
    entries = []
    for image, bits, palette in images:
        colours = len(palette) if len(palette) < 256 else 0
        entries.append((image.width, image.height, colours, 1, bits, masked_dib(image, bits, palette)))
    return directory(1, entries)


def cursor_file(image, hotspot):
    # In a cursor file the planes and bit-count fields of the directory entry hold the hot spot.
    data = masked_dib(image, 1, MONO_PALETTE)
    return directory(2, [(image.width, image.height, 0, hotspot[0], hotspot[1], data)])


def bitmap_file(image):
    bits = pack_rows(image, 1, lambda p: p)
    dib = info_header(image.width, image.height, 1, len(bits)) + palette_bytes(MONO_PALETTE) + bits
    return struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, 14 + 40 + 4 * len(MONO_PALETTE)) + dib


def generated_files():
    return {
        "app.ico": icon_file([(draw_app_icon(32), 4, VGA_PALETTE), (draw_app_icon(16), 4, VGA_PALETTE)]),
        "cells.ico": icon_file([(draw_cells(), 4, VGA_PALETTE)]),
        "cells_small.ico": icon_file([(draw_cells_small(), 8, SMALL_CELLS_PALETTE)]),
        "cells.bmp": bitmap_file(cells_bitmap_image()),
        "pop.cur": cursor_file(draw_cursor(PIN), PIN_HOTSPOT),
        "grow.cur": cursor_file(draw_cursor(GROW), GROW_HOTSPOT),
    }


def write_files(directory_path):
    os.makedirs(directory_path, exist_ok=True)
    for name, data in generated_files().items():
        with open(os.path.join(directory_path, name), "wb") as f:
            f.write(data)


# The About text: four paragraphs, one of them fixed word for word because it documents the command line.
ABOUT_TEXT_LENGTH = 883
COMMAND_LINE_PARAGRAPH = (
    "Windows may be moved or re-sized; new windows split off from old windows so all remain visible.  "
    "Command-line flags -lines or -bubbles make a Lines or Bubbles window, -next activates the next window.  "
    "If the top window is a Lines window, /erase, /repeat, or /step flip those flags, and /lines, /boxes, "
    "/ovals, /lissajous, or /plot set the style; if a Bubbles window, /make makes a bubble, and /gravity, "
    "/design, or /yeast flip those flags."
)

RC_ESCAPES = {"r": "\r", "n": "\n", "t": "\t", "\\": "\\", '"': '"', "a": "\a"}


def decode_rc_literal(body):
    """The text of one resource-script string literal (without its quotes)."""
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c == '"':  # a doubled quote stands for one quote
            out.append('"')
            i += 2
        elif c != "\\":
            out.append(c)
            i += 1
        elif body[i + 1] in RC_ESCAPES:
            out.append(RC_ESCAPES[body[i + 1]])
            i += 2
        elif body[i + 1] in "01234567":
            digits = re.match(r"[0-7]{1,3}", body[i + 1 :]).group(0)
            out.append(chr(int(digits, 8)))
            i += 1 + len(digits)
        elif body[i + 1] in "xX":
            digits = re.match(r"[0-9a-fA-F]{1,2}", body[i + 2 :]).group(0)
            out.append(chr(int(digits, 16)))
            i += 2 + len(digits)
        else:
            raise ValueError("unknown escape \\%s" % body[i + 1])
    return "".join(out)


LITERAL = r'"((?:[^"\\\n]|\\.|"")*)"'


def script_string(script, name):
    """The string that follows `name` in the string table; adjacent literals are joined as windres does."""
    match = re.search(r"^\s*%s\s+((?:%s\s*)+)" % (name, LITERAL), script, re.MULTILINE)
    if not match:
        raise ValueError("no string %s in the resource script" % name)
    return "".join(decode_rc_literal(part) for part in re.findall(LITERAL, match.group(1)))


def control_text(script, name):
    """The text of the dialog control whose identifier is `name`."""
    match = re.search(r"^\s*[A-Z]+\s+%s\s*,\s*%s\s*," % (LITERAL, name), script, re.MULTILINE)
    if not match:
        raise ValueError("no control %s in the resource script" % name)
    return decode_rc_literal(match.group(1))


def about_text_problems(text):
    problems = []
    if len(text) != ABOUT_TEXT_LENGTH:
        problems.append("the About text has %d characters, not %d" % (len(text), ABOUT_TEXT_LENGTH))
    if "\n" in text:
        problems.append("the About text holds a line feed")
    paragraphs = text.split("\r\r")
    if len(paragraphs) != 4 or any(not p or "\r" in p for p in paragraphs):
        problems.append("the About text is not four paragraphs separated by two carriage returns")
    elif paragraphs[2] != COMMAND_LINE_PARAGRAPH:
        problems.append("the command-line paragraph differs from the documented text")
    for paragraph in paragraphs:
        for sentence_break in re.finditer(r"[.!?]( +)(?=\S)", paragraph):
            if len(sentence_break.group(1)) != 2:
                problems.append("sentences are not separated by two spaces near %r" % paragraph[:30])
    if any(p != p.strip(" ") or "   " in p for p in paragraphs):
        problems.append("a paragraph has stray spaces")
    return problems


def script_problems():
    with open(SCRIPT, encoding="ascii") as f:
        script = f.read()
    problems = about_text_problems(script_string(script, "IDS_ABOUT_TEXT"))
    url, link = script_string(script, "IDS_CONTACT_URL"), control_text(script, "IDC_ABOUT_LINK")
    if url != "mailto:" + link:
        problems.append("the contact URL %r does not open the address shown, %r" % (url, link))
    return problems


def check():
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        write_files(scratch)
        for name in sorted(generated_files()):
            committed = os.path.join(RESOURCES, name)
            if not os.path.exists(committed):
                problems.append("%s is missing" % name)
            elif not filecmp.cmp(os.path.join(scratch, name), committed, shallow=False):
                problems.append("%s differs from what the generator draws" % name)
    problems += script_problems()
    for problem in problems:
        print("gen_resources: " + problem, file=sys.stderr)
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare instead of writing")
    args = parser.parse_args()
    if args.check:
        return check()
    write_files(RESOURCES)
    return 0


if __name__ == "__main__":
    sys.exit(main())
