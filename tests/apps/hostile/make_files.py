#!/usr/bin/env python3
"""Writes the hand-made hostile files of this folder. Each one is small and aims at one
weakness: a header that lies about the picture's size, values that all point at the same
bytes, work that grows with the number of scans. Run it from this folder; the files are
kept in the repository, so this is only needed to change one."""
import struct
import zlib


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body


def write(name, data):
    with open(name, "wb") as out:
        out.write(data)


# An APP1 section that holds "Exif\0" and nothing else.
write("exif_header_only.jpg", b"\xFF\xD8" + segment(0xE1, b"Exif\0") + b"\xFF\xD9")

# A Canon maker note whose 300 custom-function entries all point at the same 60 KB of
# values, every one a function number: read naively, millions of tags.
def canon_custom_functions():
    values = struct.pack("<H", 0x0101) * 30000  # function 1, setting 1, over and over
    note_entries = 300
    # TIFF header, IFD0 with Make and the Exif pointer, Exif IFD with the maker note.
    make = b"Canon\0"
    ifd0_at = 8
    ifd0 = 2 + 2 * 12 + 4
    exif_at = ifd0_at + ifd0
    exif = 2 + 12 + 4
    make_at = exif_at + exif
    note_at = make_at + len(make)
    note_size = 2 + note_entries * 12 + 4
    values_at = note_at + note_size
    tiff = b"II*\0" + struct.pack("<I", ifd0_at)
    tiff += struct.pack("<H", 2)
    tiff += struct.pack("<HHII", 0x010F, 2, len(make), make_at)
    tiff += struct.pack("<HHII", 0x8769, 4, 1, exif_at)
    tiff += struct.pack("<I", 0)
    tiff += struct.pack("<H", 1) + struct.pack("<HHII", 0x927C, 7, note_size, note_at)
    tiff += struct.pack("<I", 0)
    tiff += make
    tiff += struct.pack("<H", note_entries)
    for _ in range(note_entries):
        tiff += struct.pack("<HHII", 0x000F, 3, len(values) // 2, values_at)
    tiff += struct.pack("<I", 0)
    tiff += values
    return b"\xFF\xD8" + segment(0xE1, b"Exif\0\0" + tiff) + b"\xFF\xD9"


write("canon_custom_functions.jpg", canon_custom_functions())


# A progressive grey JPEG whose scans are all empty: each refines the AC band of every block
# with end-of-band runs of 32767 blocks, a few bytes a scan whatever the picture's size.
def progressive(width, height, scans, padding=0):
    out = b"\xFF\xD8"
    out += segment(0xDB, b"\x00" + bytes([1] * 64))
    out += segment(0xC2, struct.pack(">BHHB", 8, height, width, 1) + b"\x01\x11\x00")
    # One AC code: symbol 0xE0 (a run of 2^14 + 14 extra bits blocks), one bit long.
    out += segment(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\xE0")
    if padding:
        chunk = b"x" * 65000
        while padding > 0:
            out += segment(0xFE, chunk[: min(padding, 65000)])
            padding -= 65000
    blocks = ((width + 7) // 8) * ((height + 7) // 8)
    runs = []
    while blocks > 0:
        run = min(blocks, 32767)
        runs.append(run)
        blocks -= run
    bits = ""
    for run in runs:
        if run < 16384:
            run = 16384  # a longer run than blocks left ends the band just the same
        bits += "0" + format(run - 16384, "014b")
    bits += "1" * (-len(bits) % 8)
    data = bytes(int(bits[i : i + 8], 2) for i in range(0, len(bits), 8))
    data = data.replace(b"\xFF", b"\xFF\x00")
    for _ in range(scans):
        out += segment(0xDA, b"\x01\x01\x00" + bytes([1, 63, 0])) + data
    return out + b"\xFF\xD9"


write("progressive_empty_scans.jpg", progressive(10000, 10000, 499))
write("progressive_many_scans.jpg", progressive(5000, 5000, 499, padding=10000))


def bmp(width, height, bits, compression, pixel_data, palette):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression,
                       len(pixel_data), 2835, 2835, 0, 0)
    offset = 14 + len(info) + len(palette)
    head = b"BM" + struct.pack("<IHHI", offset + len(pixel_data), 0, 0, offset)
    return head + info + palette + pixel_data


grey_palette = b"".join(bytes([i, i, i, 0]) for i in range(256))
# Run-length slivers: one row, which an end-of-line code ends at once.
rle = b"\x10\x80" + b"\x00\x00" + b"\x00\x01"
write("rle_sliver_claims_too_much.bmp",
      bmp(25_000_000, 1, 8, 1, rle + b"\0" * (25_000 - len(rle)), grey_palette))
write("rle_sliver.bmp", bmp(1_000_000, 1, 8, 1, rle + b"\0" * (4_000 - len(rle)), grey_palette))
# 10000 x 1 at one bit a pixel: its preview would be a million pixels wide.
write("wide_sliver.bmp", bmp(10000, 1, 1, 0, b"\x55" * 1252, b"\0\0\0\0\xff\xff\xff\0"))


# A TIFF of a few bytes that claims 10000 x 10000 uncompressed RGB pixels.
def tiff_claiming(orientation):
    entries = [(256, 4, 1, 10000), (257, 4, 1, 10000), (258, 3, 1, 8), (259, 3, 1, 1),
               (262, 3, 1, 2), (273, 4, 1, 8), (274, 3, 1, orientation), (277, 3, 1, 3),
               (278, 4, 1, 10000), (279, 4, 1, 300_000_000)]
    ifd_at = 8
    out = b"II*\0" + struct.pack("<I", ifd_at) + struct.pack("<H", len(entries))
    for tag, kind, count, value in entries:
        out += struct.pack("<HHI", tag, kind, count)
        out += struct.pack("<HH", value, 0) if kind == 3 else struct.pack("<I", value)
    return out + struct.pack("<I", 0)


write("tiff_claims_10000_squared.tif", tiff_claiming(1))
write("tiff_claims_10000_squared_turned.tif", tiff_claiming(5))


# An icon whose PNG entry claims 3,722,304,989 pixels a side.
def icon_with_huge_png():
    side = 3_722_304_989
    ihdr = struct.pack(">II", side, side) + b"\x08\x02\x00\x00\x00"
    png = b"\x89PNG\r\n\x1a\n" + struct.pack(">I", 13) + b"IHDR" + ihdr
    png += struct.pack(">I", zlib.crc32(b"IHDR" + ihdr))
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(png), 22) + png


write("icon_png_side_overflows.ico", icon_with_huge_png())
write("notes.txt.jpg", b"plain text, named like a photo\n")
