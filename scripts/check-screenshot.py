#!/usr/bin/env python3
"""Checks a screenshot of the frame window after the default start-up by counting colours: the active
frame, two child windows (white areas side by side or one above the other) and bubbles (their grey
outlines). Not a pixel comparison: the animation differs on every run.

Usage: check-screenshot.py IMAGE --active R,G,B
(the active caption colour of the system, from GetSysColor). Exits 1 when any check fails."""

import argparse
import subprocess
import sys

WHITE = (255, 255, 255)
# The bubbles' 2-pixel outline pen, 0x808080, XORed onto the white background.
BUBBLE_OUTLINE = (127, 127, 127)
MIN_OUTLINE_PIXELS = 400  # about three bubbles of the default radius 20
MOSTLY_WHITE = 0.5        # share of white in a row or column through a child's client area
MIN_CHILD_EXTENT = 60     # pixels: narrower white bands, such as the menu bar, are no window
MAX_LINE_GAP = 2          # a drawn line crossing a child must not split it in two


def read_image(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
    fields = ppm.split(maxsplit=4)
    assert fields[0] == b"P6" and fields[3] == b"255"
    width, height = int(fields[1]), int(fields[2])
    data = fields[4]
    pixels = [tuple(data[i:i + 3]) for i in range(0, width * height * 3, 3)]
    return width, height, pixels


def bands(shares, threshold):
    """Runs of positions whose share is at least threshold, joined across short gaps, long enough."""
    runs, start, last = [], None, None
    for position, share in enumerate(shares):
        if share < threshold:
            continue
        if start is None or position - last > MAX_LINE_GAP + 1:
            if start is not None:
                runs.append((start, last))
            start = position
        last = position
    if start is not None:
        runs.append((start, last))
    return [run for run in runs if run[1] - run[0] + 1 >= MIN_CHILD_EXTENT]


def check(path, active):
    width, height, pixels = read_image(path)
    counts = {}
    for pixel in pixels:
        counts[pixel] = counts.get(pixel, 0) + 1
    white_rows = [sum(pixels[y * width + x] == WHITE for x in range(width)) / width for y in range(height)]
    white_columns = [sum(pixels[y * width + x] == WHITE for y in range(height)) / height for x in range(width)]
    children = max(len(bands(white_columns, MOSTLY_WHITE)), len(bands(white_rows, MOSTLY_WHITE)))

    failures = []

    def expect(ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)

    active_pixels = counts.get(active, 0)
    expect(active_pixels >= width * 10, f"an active caption as wide as the frame ({active_pixels} pixels)")
    white_share = counts.get(WHITE, 0) / (width * height)
    expect(white_share >= 0.4, f"mostly white child windows ({white_share:.0%} white)")
    expect(children == 2, f"two child windows ({children} white areas)")
    outline = counts.get(BUBBLE_OUTLINE, 0)
    expect(outline >= MIN_OUTLINE_PIXELS, f"bubble outlines ({outline} pixels)")
    return failures


def colour(text):
    return tuple(int(part) for part in text.replace(",", " ").split())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("image")
    parser.add_argument("--active", type=colour, required=True)
    args = parser.parse_args()
    sys.exit(1 if check(args.image, args.active) else 0)


if __name__ == "__main__":
    main()
