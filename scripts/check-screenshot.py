#!/usr/bin/env python3
"""Checks a screenshot of the frame after the default start-up by counting colours, since the animation
differs on every run: an active caption as wide as the frame, two mostly white child windows side by side
or one above the other, and bubbles (their 0x808080 outlines XORed onto white).
Usage: check-screenshot.py IMAGE [R,G,B of the active caption, Wine's default 50,150,250]"""
import re
import subprocess
import sys

ppm = subprocess.run(["convert", sys.argv[1], "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
width, height = map(int, re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm).groups())
pixels = [ppm[i:i + 3] for i in range(len(ppm) - width * height * 3, len(ppm), 3)]  # the raster ends the file
white = [pixel == b"\xff\xff\xff" for pixel in pixels]


def windows(shares):
    """Runs of mostly white rows or columns at least 60 long, joined across a line drawn over them."""
    lines = "".join("1" if share >= 0.5 else "0" for share in shares)
    return sum(len(run) >= 60 for run in re.findall("1(?:0{0,2}1)*", lines))


active = bytes(int(part) for part in (sys.argv[2:] or ["50,150,250"])[0].split(","))
children = max(windows([sum(white[y * width:(y + 1) * width]) / width for y in range(height)]),
               windows([sum(white[x::width]) / height for x in range(width)]))
caption, outline = pixels.count(active), pixels.count(b"\x7f\x7f\x7f")
checks = [(caption >= width * 10, f"an active caption as wide as the frame ({caption} pixels)"),
          (sum(white) >= 0.4 * width * height, f"mostly white child windows ({sum(white) / len(white):.0%} white)"),
          (children == 2, f"two child windows ({children} white areas)"),
          (outline >= 400, f"bubble outlines of about three bubbles ({outline} pixels)")]
for ok, what in checks:
    print(("ok   " if ok else "FAIL ") + what)
sys.exit(not all(ok for ok, _ in checks))
