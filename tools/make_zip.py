#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend only on its members' contents.

    make_zip.py OUTPUT EPOCH NAME=PATH [NAME=PATH ...]

Members are stored in the order given, deflated, each dated EPOCH (seconds
since 1970, written as that time in UTC, since a zip date has no zone) and
marked as a plain archived Windows file, whatever the files' own times,
owners and modes are.
"""
import sys
import time
import zipfile

WINDOWS_ARCHIVE_ATTRIBUTE = 0x20


def main(argv):
    if len(argv) < 4:
        sys.exit(__doc__)
    output, epoch, members = argv[1], int(argv[2]), argv[3:]
    # Zip dates start in 1980.
    date = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(output, "w") as archive:
        for member in members:
            name, _, path = member.partition("=")
            info = zipfile.ZipInfo(name, date)
            info.create_system = 0  # MS-DOS/Windows attributes, no Unix mode
            info.external_attr = WINDOWS_ARCHIVE_ATTRIBUTE
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)


if __name__ == "__main__":
    main(sys.argv)
