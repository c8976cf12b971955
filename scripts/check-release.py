#!/usr/bin/env python3
"""Checks a built Derodazo.exe or Derodazo.scr before it ships: a GUI program of the right word size
that imports only system DLLs, with a version record that reads the expected version.

Usage: check-release.py --objdump OBJDUMP --arch i686|x86_64 --version 1.0.0.7 EXE
Prints one line per check and exits 1 when any fails."""

import argparse
import re
import struct
import subprocess
import sys

# The system libraries the program calls, and the C runtime that MinGW-w64 links against.
ALLOWED_DLLS = {"user32.dll", "gdi32.dll", "kernel32.dll", "shell32.dll", "msvcrt.dll"}
REQUIRED_DLLS = {"user32.dll", "gdi32.dll", "kernel32.dll"}
FORMATS = {"i686": ("pei-i386", "010b"), "x86_64": ("pei-x86-64", "020b")}
FIXED_INFO_SIGNATURE = 0xFEEF04BD
VFT_APP = 1


def read_node(data, offset):
    """One VS_VERSIONINFO node: (key, value bytes, value type, children), each child a node."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_start = offset + 6
    key_end = key_start
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_start:key_end].decode("utf-16-le")
    value_start = (key_end + 2 + 3) & ~3
    # Text values count UTF-16 characters, binary ones bytes.
    value_size = value_length * 2 if value_type == 1 else value_length
    value = data[value_start:value_start + value_size]
    children = []
    child = (value_start + value_size + 3) & ~3
    while child < end:
        node = read_node(data, child)
        if node[4] == 0:  # a damaged record: stop rather than loop
            break
        children.append(node)
        child = (child + node[4] + 3) & ~3
    return key, value, value_type, children, length


def version_record(exe):
    data = open(exe, "rb").read()
    marker = data.find("VS_VERSION_INFO".encode("utf-16-le"))
    if marker < 6:
        return None
    return read_node(data, marker - 6)


def version_strings(root):
    strings = {}
    for block in root[3]:
        if block[0] != "StringFileInfo":
            continue
        for table in block[3]:
            for key, value, _, _, _ in table[3]:
                strings[key] = value.decode("utf-16-le").rstrip("\0")
    return strings


def dotted(ms, ls):
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


def check(exe, objdump, arch, version):
    failures = []

    def expect(ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)

    dump = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, check=True).stdout
    file_format, magic = FORMATS[arch]
    expect(f"file format {file_format}" in dump, f"file format is {file_format}")
    expect(re.search(rf"^Magic\s+{magic}\b", dump, re.M) is not None, f"optional header magic is {magic}")
    expect(re.search(r"^Subsystem\s+00000002\s", dump, re.M) is not None, "subsystem is Windows GUI")

    dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}
    allowed = ALLOWED_DLLS | ({"advapi32.dll"} if exe.lower().endswith(".scr") else set())  # its settings
    expect(dlls <= allowed, f"imports only system DLLs (imports {', '.join(sorted(dlls))})")
    expect(REQUIRED_DLLS <= dlls, "imports USER32, GDI32 and KERNEL32")

    root = version_record(exe)
    expect(root is not None, "has a version record")
    if root is None:
        return failures
    fixed = struct.unpack_from("<13I", root[1]) if len(root[1]) >= 52 else None
    expect(fixed is not None and fixed[0] == FIXED_INFO_SIGNATURE, "version record has fixed file info")
    if fixed is None:
        return failures
    expect(dotted(fixed[2], fixed[3]) == version, f"file version is {version}")
    expect(dotted(fixed[4], fixed[5]) == version, f"product version is {version}")
    expect(fixed[9] == VFT_APP, "file type is an application")
    strings = version_strings(root)
    text = version.replace(".", ", ")
    for key in ("FileVersion", "ProductVersion"):
        expect(strings.get(key) == text, f'{key} reads "{text}" (reads "{strings.get(key)}")')
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--arch", required=True, choices=sorted(FORMATS))
    parser.add_argument("--version", required=True)
    parser.add_argument("exe")
    args = parser.parse_args()
    failures = check(args.exe, args.objdump, args.arch, args.version)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
