#!/usr/bin/env python3
"""Writes the release zip with the same bytes from the same files, whenever
and wherever it runs.

    release_zip.py OUT.zip TIME NAME=FILE...

The entries go in the order given, each with the time TIME (seconds since
1970, UTC: the commit's time) and nothing of the machine that wrote it: no
file system times, owners or permissions, no extra fields but the one
below. Deflated by zlib at level 9.

Entry names. A zip entry's name is bytes; how a reader decodes them:
- Windows' own zip folder (XP to 11) reads them in the system's OEM code
  page, 936 on Simplified Chinese systems. XP and Vista ignore the UTF-8
  flag (general purpose bit 11); Windows 7 honours it only from SP1 with an
  update, 8 and later always. It ignores the Info-ZIP Unicode Path extra
  field (0x7075).
- 7-Zip, WinRAR, Bandizip, WinZip and Info-ZIP's unzip honour bit 11, and
  without it take the UTF-8 name of a 0x7075 field whose CRC-32 matches the
  name bytes; without either they use the system's code page too.
So a non-ASCII name (说明.txt) is written in code page 936 with bit 11
clear, and a 0x7075 field carries the same name in UTF-8: Windows' zip
folder on every Simplified Chinese Windows from XP on shows it, and so do
the archivers on any system. Only Windows' own zip folder on a system with
another code page (English, Traditional Chinese) shows it garbled; with
UTF-8 and bit 11 instead, XP and Vista would show it garbled even on
Chinese systems, where most of the tool's players are.
"""
import os
import struct
import sys
import time
import zlib

VERSION = 20  # 2.0, deflate: needed to extract; host 0 (MS-DOS), OEM names
UNICODE_PATH = 0x7075


def dos_time(seconds):
    """The (time, date) words of a zip header for a time in UTC; the format
    holds 1980 to 2107 in steps of two seconds."""
    t = time.gmtime(max(seconds, 315532800))  # 1980-01-01
    return (t.tm_hour << 11 | t.tm_min << 5 | t.tm_sec // 2,
            (t.tm_year - 1980) << 9 | t.tm_mon << 5 | t.tm_mday)


def name_fields(name):
    """The name bytes and extra field of an entry named name."""
    if name.isascii():
        return name.encode("ascii"), b""
    raw = name.encode("gbk")
    utf8 = name.encode("utf-8")
    extra = struct.pack("<HHBI", UNICODE_PATH, 5 + len(utf8), 1, zlib.crc32(raw)) + utf8
    return raw, extra


def compress(data):
    packer = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    return packer.compress(data) + packer.flush()


def zip_bytes(entries, seconds):
    """A whole zip of entries, (name, bytes) pairs, all dated seconds."""
    clock, date = dos_time(seconds)
    body, directory = bytearray(), bytearray()
    for name, data in entries:
        raw, extra = name_fields(name)
        packed = compress(data)
        common = struct.pack("<HHHHHIIIHH", VERSION, 0, 8, clock, date, zlib.crc32(data),
                             len(packed), len(data), len(raw), len(extra))
        directory += struct.pack("<IH", 0x02014B50, VERSION) + common
        directory += struct.pack("<HHHII", 0, 0, 0, 0, len(body)) + raw + extra
        body += struct.pack("<I", 0x04034B50) + common + raw + extra + packed
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries),
                      len(directory), len(body), 0)
    return bytes(body + directory + end)


def main():
    target, seconds = sys.argv[1], int(sys.argv[2])
    entries = []
    for argument in sys.argv[3:]:
        name, path = argument.split("=", 1)
        with open(path, "rb") as f:
            entries.append((name, f.read()))
    # Written beside the target and renamed: never a half-written zip.
    with open(target + ".part", "wb") as f:
        f.write(zip_bytes(entries, seconds))
    os.replace(target + ".part", target)


if __name__ == "__main__":
    main()
